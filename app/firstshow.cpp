#include "firstshow.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace {

class FirstShowFilter : public QObject
{
public:
    FirstShowFilter(QWidget *page, std::function<void()> create) : QObject(page), m_create(std::move(create))
    {
        page->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == parent() && event->type() == QEvent::Show && m_create) {
            watched->removeEventFilter(this);
            const std::function<void()> create = std::move(m_create);
            m_create = nullptr;
            deleteLater();
            create();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_create;
};

} // namespace

void whenFirstShown(QWidget *page, std::function<void()> create)
{
    if (!page || !create)
        return;
    if (page->isVisible()) {
        create();
        return;
    }
    new FirstShowFilter(page, std::move(create));
}
