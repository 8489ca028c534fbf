#pragma once

#include "store/MessageSaveHost.h"

namespace ferrowen {

class MainForm;
struct ShellState;

// The saving of messages ("&Save Msg <<", sent copies) reaches the main
// window's folder list and status bar through this adapter.
class ShellMessageSaveHost : public MessageSaveHost
{
public:
    ShellMessageSaveHost(MainForm &form, const ShellState &state, MessageBoxes &messageBoxes);

    QString savedMessagesFolder() const override;
    QString chosenFolder() const override;
    void showMessageSavedLabel(bool shown) override;
    void setStatusText(int panel, const QString &text) override;
    MessageBoxes &messageBoxes() override { return m_messageBoxes; }

private:
    MainForm &m_form;
    const ShellState &m_state;
    MessageBoxes &m_messageBoxes;
};

} // namespace ferrowen
