#include "contentswidth.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace {
class ContentsWidth : public QObject
{
public:
    ContentsWidth(QWidget *widget, int minimumWidth) : QObject(widget), m_widget(widget), m_minimum(minimumWidth)
    {
        widget->installEventFilter(this);
        apply();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The layout asks to be redone whenever a child's size hint may
        // have changed; the hint is up to date by then.
        if (watched == m_widget && (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show))
            apply();
        return QObject::eventFilter(watched, event);
    }

private:
    void apply()
    {
        if (!m_widget)
            return;
        // The size hint comes from the widget's layout and does not depend
        // on the minimum set here, so it can also shrink again.
        const int width = qMax(m_minimum, m_widget->sizeHint().width());
        if (m_widget->minimumWidth() != width)
            m_widget->setMinimumWidth(width);
    }

    QPointer<QWidget> m_widget;
    int m_minimum;
};
} // namespace

void keepContentsWidth(QWidget *widget, int minimumWidth)
{
    if (widget)
        new ContentsWidth(widget, minimumWidth);
}
