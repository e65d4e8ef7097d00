#pragma once

#include "shell/frmmain.h"
#include "support/scripted_platform.h"

#include <memory>

namespace quillet::test {

// A main window created headless over the scripted platform. The window is built
// with load() (construction plus the loading sequence) and closed with close(),
// which runs the closing sequence exactly as the close button does.
class Harness {
public:
    ScriptedPlatform platform;
    std::unique_ptr<FrmMain> window;
    // load() first fills an empty store with the settings of an ordinary earlier
    // run (not a first run, closed cleanly), so tests start like a user's day.
    // Set false to start from an empty store (a first run).
    bool seedSettings = true;

    // Constructs the window without loading it.
    FrmMain& create(const QString& arguments = {});
    // Constructs and runs the loading sequence.
    FrmMain& load(const QString& arguments = {});
    // Runs the closing sequence; true when the window closed.
    bool close();

    FrmMain* operator->() { return window.get(); }
};

// One stored setting: section, key and its value text.
struct StoredKey {
    const char* section;
    const char* key;
    const char* value;
};
// The view group as a first run writes it (the window's design state), in the
// order the settings are read and written.
extern const StoredKey FirstRunViewSettings[26];

// The settings a normal earlier run leaves behind: the design state of the window
// at its default placement on the scripted 1280x1024 screen, closed cleanly.
void seedOrdinarySettings(MemoryStore& store);

// Reads a file whole.
QByteArray readFile(const QString& path);

// While it lives, no file this process writes can grow past `bytes`: the write
// fails as on a full disk, instead of the process being stopped by a signal.
class FileSizeLimit {
public:
    explicit FileSizeLimit(unsigned long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool applied() const { return applied_; }

private:
    unsigned long previous_ = 0;
    void (*previousHandler_)(int) = nullptr;
    bool armed_ = false;
    bool applied_ = false;
};
// Writes bytes to a file, creating folders; fails the test when it cannot.
void writeFile(const QString& path, const QByteArray& bytes);

} // namespace quillet::test

namespace quillet::test {
// The error report the window last wrote ("QDebug.log" in the application
// folder), or an empty text when there is none.
QString errorReport(Harness& harness);
} // namespace quillet::test
