#pragma once

// A failure recorder that keeps every failure it is given, so a test can read the
// number and the window name a command recorded.

#include "platform/failure.h"

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

class RecordingFailures : public FailureRecorder {
public:
    void SaveDebug(const QString& szErrorDescription, std::int32_t lErrorNumber,
                   const QString& szCurrentForm) override {
        recorded.push_back({szErrorDescription, lErrorNumber, szCurrentForm});
    }

    // The failure recorded last, if any.
    std::optional<RecordedFailure> last() const {
        if (recorded.empty())
            return std::nullopt;
        return recorded.back();
    }

    std::vector<RecordedFailure> recorded;
};

} // namespace quillet::test
