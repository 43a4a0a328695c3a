#include "formcheck.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QMetaProperty>
#include <QtTest>

namespace FormCheck {

QLayout *findLayout(QObject *root, const QString &name)
{
    const auto layouts = root->findChildren<QLayout *>(name);
    return layouts.isEmpty() ? nullptr : layouts.first();
}

static QString textOf(QWidget *w)
{
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return b->text();
    if (auto *g = qobject_cast<QGroupBox *>(w))
        return g->title();
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    if (auto *p = qobject_cast<QPlainTextEdit *>(w))
        return p->toPlainText();
    if (auto *t = qobject_cast<QTextEdit *>(w))
        return t->toPlainText();
    return QString();
}

static QString variantText(const QVariant &v, QObject *o, const QString &prop)
{
    // Enums compare by their key names.
    const int idx = o->metaObject()->indexOfProperty(prop.toLatin1().constData());
    if (idx >= 0) {
        const QMetaProperty mp = o->metaObject()->property(idx);
        if (mp.isEnumType()) {
            const QMetaEnum me = mp.enumerator();
            return mp.isFlagType() ? QString::fromLatin1(me.valueToKeys(v.toInt())) : QString::fromLatin1(me.valueToKey(v.toInt()));
        }
    }
    if (v.canConvert<QSize>() && v.typeId() == QMetaType::QSize)
        return QStringLiteral("%1x%2").arg(v.toSize().width()).arg(v.toSize().height());
    return v.toString();
}

void checkWidgets(QObject *root, const QList<WidgetSpec> &specs)
{
    for (const WidgetSpec &s : specs) {
        QWidget *w = root->findChild<QWidget *>(s.name);
        QVERIFY2(w, qPrintable(QStringLiteral("missing widget ") + s.name));
        if (!s.className.isEmpty())
            QVERIFY2(QString::fromLatin1(w->metaObject()->className()) == s.className,
                     qPrintable(s.name + QStringLiteral(": class ") + QString::fromLatin1(w->metaObject()->className())
                                + QStringLiteral(" != ") + s.className));
        if (!s.layout.isEmpty()) {
            QLayout *l = findLayout(root, s.layout);
            QVERIFY2(l, qPrintable(QStringLiteral("missing layout ") + s.layout));
            const int i = l->indexOf(w);
            QVERIFY2(i >= 0, qPrintable(s.name + QStringLiteral(" is not in ") + s.layout));
            if (s.cell.row >= 0) {
                auto *g = qobject_cast<QGridLayout *>(l);
                QVERIFY2(g, qPrintable(s.layout + QStringLiteral(" is not a grid")));
                int r, c, rs, cs;
                g->getItemPosition(i, &r, &c, &rs, &cs);
                QVERIFY2(r == s.cell.row && c == s.cell.column && rs == s.cell.rowSpan && cs == s.cell.columnSpan,
                         qPrintable(QStringLiteral("%1 at %2,%3,%4,%5").arg(s.name).arg(r).arg(c).arg(rs).arg(cs)));
            }
        }
        if (!s.text.isNull())
            QVERIFY2(textOf(w) == s.text, qPrintable(s.name + QStringLiteral(": text '") + textOf(w)
                                                         + QStringLiteral("' != '") + s.text + QLatin1Char('\'')));
        if (auto *combo = qobject_cast<QComboBox *>(w)) {
            if (!s.items.isEmpty()) {
                QStringList items;
                for (int i = 0; i < combo->count(); ++i)
                    items << combo->itemText(i);
                QVERIFY2(items == s.items, qPrintable(s.name + QStringLiteral(": items ") + items.join(QLatin1Char('|'))));
            }
            if (s.currentIndex != -2)
                QVERIFY2(combo->currentIndex() == s.currentIndex,
                         qPrintable(QStringLiteral("%1: current index %2").arg(s.name).arg(combo->currentIndex())));
        }
        for (auto it = s.properties.constBegin(); it != s.properties.constEnd(); ++it) {
            const QVariant actual = w->property(it.key().toLatin1().constData());
            QVERIFY2(actual.isValid(), qPrintable(s.name + QStringLiteral(": no property ") + it.key()));
            const QString a = variantText(actual, w, it.key());
            const QString e = it.value().typeId() == QMetaType::QSize
                                  ? QStringLiteral("%1x%2").arg(it.value().toSize().width()).arg(it.value().toSize().height())
                                  : it.value().toString();
            QVERIFY2(a == e, qPrintable(s.name + QStringLiteral(".") + it.key() + QStringLiteral(" = '") + a
                                        + QStringLiteral("' expected '") + e + QLatin1Char('\'')));
        }
    }
}

} // namespace FormCheck
