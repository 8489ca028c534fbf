#pragma once

#include <QString>

namespace ferrowen {

// An e-mail template: its subject and its body (line ends CR LF).
struct TemplateText
{
    QString subject;
    QString body;

    bool operator==(const TemplateText &other) const { return subject == other.subject && body == other.body; }
};

} // namespace ferrowen
