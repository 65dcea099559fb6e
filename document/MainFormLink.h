#pragma once

#include <QSize>
#include <QString>

// What a document window asks of the main window: the room it may take and
// the status-bar panel it writes its preview position to.
class TMainFormLink {
public:
    virtual ~TMainFormLink() = default;
    virtual QSize ClientSize() const = 0;
    virtual int StatusBarHeight() const = 0;
    virtual int ToolBarHeight() const = 0;
    virtual void SetStatusPanel1(const QString& text) = 0;
};

// The program's main window, once it exists; null before (calls then do nothing).
TMainFormLink* MainFormLink();
void SetMainFormLink(TMainFormLink* link);
