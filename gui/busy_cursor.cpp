#include "gui/busy_cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace passcat {

WaitCursor::~WaitCursor()
{
    restore();
}

void WaitCursor::show()
{
    if (shown_)
        return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    shown_ = true;
}

void WaitCursor::restore()
{
    if (!shown_)
        return;
    QGuiApplication::restoreOverrideCursor();
    shown_ = false;
}

} // namespace passcat
