#pragma once

// A failure recorder that keeps every failure handed to it, in order, for tests
// of the parts below the window that record their failures themselves.

#include "platform/failure.h"
#include "platform/program_constants.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace quillet::test {

struct RecordedFailure {
    QString description;
    std::int32_t number = 0;
    QString form;
};

class RecordingFailures final : public FailureRecorder {
public:
    std::vector<RecordedFailure> entries;

    void SaveDebug(const QString& description, std::int32_t number, const QString& form) override {
        entries.push_back({description, number, form});
    }
    // The failure recorded last, if any.
    std::optional<RecordedFailure> last() const {
        if (entries.empty())
            return std::nullopt;
        return entries.back();
    }
    // Whether a failure with this number was recorded for the main window.
    bool recorded(std::int32_t number) const {
        for (const RecordedFailure& e : entries) {
            if (e.number == number && e.form == MainFormName)
                return true;
        }
        return false;
    }
};

} // namespace quillet::test
