#pragma once

#include <QTreeView>

namespace ferrowen {

// The message list ListMsg: a plain list of rows with sortable columns
// whose rows can be dragged out. Tells when a drag starts and ends, so the
// folder list can follow the pointer without listing each folder it
// passes.
class MessageListView : public QTreeView
{
    Q_OBJECT

public:
    explicit MessageListView(QWidget *parent = nullptr);

Q_SIGNALS:
    void dragStarted();
    void dragFinished();

protected:
    void startDrag(Qt::DropActions supportedActions) override;
};

} // namespace ferrowen
