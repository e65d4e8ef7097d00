#pragma once

// A failure recorder that keeps every failure handed to it, in order, for tests
// of the parts below the window that record their failures themselves.

#include "platform/failure.h"

#include <QString>

#include <cstdint>
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
};

} // namespace quillet::test
