#pragma once

#include "platform/CommandRunner.h"

#include <chrono>

namespace ferrowen {

// CommandRunner over QProcess: waits for the program, at most `timeout`.
class ProcessCommandRunner : public CommandRunner
{
public:
    explicit ProcessCommandRunner(std::chrono::milliseconds timeout = std::chrono::seconds(20));
    Result run(const QString &program, const QStringList &arguments) override;

private:
    std::chrono::milliseconds m_timeout;
};

} // namespace ferrowen
