#include "kalvest_tof_data.h"
#include "ui_kalvest_tof_data.h"

#include "tofframes.h"

#include <QPaintEvent>
#include <QPainter>

bool TofZoneLabel::setZone(int distance, const QColor &color, int pointSize)
{
    if (m_colored && distance == m_distance && color == m_color && pointSize == m_pointSize)
        return false;
    // A label in the grid is hidden, so it queues no repaint of its own:
    // the grid repaints all zones as one.
    if (!m_colored || color != m_color) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, color);
        if (!m_colored)
            pal.setColor(QPalette::WindowText, Qt::white);
        setPalette(pal);
        m_color = color;
    }
    if (pointSize != m_pointSize || !m_colored) {
        QFont f = font();
        f.setWeight(QFont::Bold);
        f.setPointSize(pointSize);
        setFont(f);
        m_pointSize = pointSize;
    }
    m_colored = true;
    m_distance = distance;
    const QString shown = QString::number(distance);
    if (text() != shown)
        setText(shown);
    if (QWidget *grid = parentWidget())
        grid->update();
    return true;
}

QSize TofZoneLabel::sizeHint() const
{
    if (!m_hint.isValid()) {
        const QFontMetrics fm(font());
        m_hint = QSize(fm.horizontalAdvance(QStringLiteral("0000")), fm.height());
    }
    return m_hint;
}

QSize TofZoneLabel::minimumSizeHint() const { return sizeHint(); }

void TofZoneLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        m_hint = QSize();
    QLabel::changeEvent(event);
}

void TofZoneLabel::paintEvent(QPaintEvent *event)
{
    if (!m_colored) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::WindowText));
    p.setFont(font());
    p.drawText(rect(), int(alignment()), text());
}

kalvest_tof_data::kalvest_tof_data(QWidget *parent) : QWidget(parent), ui(new Ui::kalvest_tof_data)
{
    maxDistance = 4000;
    ui->setupUi(this);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            TofZoneLabel *label = makeLabel(r, c, 16);
            label->setZone(0, get_color(0), pointSizeFor(16));
        }
    }
    m_pending.fill(0, 16);
    m_pendingSet.fill(0, 16);
}

kalvest_tof_data::~kalvest_tof_data() { delete ui; }

int kalvest_tof_data::pointSizeFor(int zones)
{
    if (zones <= 16)
        return 12;
    if (zones <= 64)
        return 10;
    if (zones <= 256)
        return 6;
    return 1;
}

QColor kalvest_tof_data::get_color(int d) const
{
    if (d == 0)
        return QColor(255, 255, 255, 255);
    const int max = maxDistance;
    const int half = max / 2;
    auto mix = [](const QColor &a, const QColor &b, double t) {
        t = qBound(0.0, t, 1.0);
        return QColor(int(a.red() * (1 - t) + b.red() * t), int(a.green() * (1 - t) + b.green() * t),
                      int(a.blue() * (1 - t) + b.blue() * t), 255);
    };
    // A zero-width half clamps like an overshoot: its far end.
    if (d <= half)
        return mix(Qt::black, Qt::blue, half != 0 ? double(d) / half : 1.0);
    return mix(Qt::blue, Qt::red, max != half ? double(d - half) / (max - half) : 1.0);
}

TofZoneLabel *kalvest_tof_data::makeLabel(int row, int col, int zones)
{
    auto *label = new TofZoneLabel(QStringLiteral("0"), this);
    QFont f = label->font();
    f.setWeight(QFont::Bold);
    f.setPointSize(pointSizeFor(zones));
    label->setFont(f);
    label->setAlignment(Qt::AlignCenter);
    label->hide(); // painted by the grid
    ui->gridLayout_tofdata->addWidget(label, row, col);
    labels.append(label);
    return label;
}

void kalvest_tof_data::set_mode(int mode)
{
    qDeleteAll(labels);
    labels.clear();
    while (QLayoutItem *item = ui->gridLayout_tofdata->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const TofFrames::Grid grid = TofFrames::gridForMode(mode);
    m_rows = grid.rows;
    m_cols = grid.cols;
    const int zones = grid.rows * grid.cols;
    for (int r = 0; r < grid.rows; ++r) {
        for (int c = 0; c < grid.cols; ++c)
            makeLabel(r, c, zones);
    }
    m_pending.fill(0, zones);
    m_pendingSet.fill(0, zones);
    m_hasPending = false;
    update();
}

void kalvest_tof_data::set_value(int index, int distance)
{
    if (index < 0 || index >= labels.size())
        return;
    if (!isVisible()) {
        // Restyling labels nobody sees is wasted: the newest value waits.
        m_pending[index] = distance;
        m_pendingSet[index] = 1;
        m_hasPending = true;
        return;
    }
    showZone(index, distance);
}

void kalvest_tof_data::showZone(int index, int distance)
{
    labels.at(index)->setZone(distance, get_color(distance), pointSizeFor(int(labels.size())));
}

void kalvest_tof_data::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_hasPending)
        return;
    m_hasPending = false;
    for (int i = 0; i < m_pendingSet.size() && i < labels.size(); ++i) {
        if (m_pendingSet.at(i)) {
            m_pendingSet[i] = 0;
            showZone(i, m_pending.at(i));
        }
    }
}

const QStaticText &kalvest_tof_data::staticText(const QString &text, const QFont &font)
{
    if (font != m_textsFont || m_texts.size() > 4096) {
        m_texts.clear();
        m_textsFont = font;
    }
    auto it = m_texts.find(text);
    if (it == m_texts.end()) {
        QStaticText st(text);
        st.setTextFormat(Qt::PlainText);
        st.prepare(QTransform(), font);
        it = m_texts.insert(text, st);
    }
    return it.value();
}

void kalvest_tof_data::paintEvent(QPaintEvent *event)
{
    if (labels.isEmpty() || m_cols <= 0 || m_rows <= 0)
        return;
    // The cells the grid layout would give the labels: the layout's area
    // split evenly, with its spacing between them.
    const QRect area = contentsRect().marginsRemoved(ui->gridLayout_2->contentsMargins());
    const double hs = qMax(0, ui->gridLayout_tofdata->horizontalSpacing());
    const double vs = qMax(0, ui->gridLayout_tofdata->verticalSpacing());
    const double w = (area.width() - hs * (m_cols - 1)) / m_cols;
    const double h = (area.height() - vs * (m_rows - 1)) / m_rows;
    if (w <= 0 || h <= 0)
        return;
    QPainter p(this);
    const QFont font = labels.first()->font();
    p.setFont(font);
    const QColor plainText = labels.first()->palette().color(QPalette::WindowText);
    const QRectF exposed = event->rect();
    for (int k = 0; k < labels.size(); ++k) {
        const int r = k / m_cols, c = k % m_cols;
        const QRectF cell(area.left() + c * (w + hs), area.top() + r * (h + vs), w, h);
        if (!cell.intersects(exposed))
            continue;
        const TofZoneLabel *label = labels.at(k);
        if (label->hasZoneColor()) {
            p.fillRect(cell, label->zoneColor());
            p.setPen(Qt::white);
        } else {
            // A zone without a colour yet: its "0" on white, as the page's
            // white style sheet shows a plain label.
            p.fillRect(cell, Qt::white);
            p.setPen(plainText);
        }
        const QStaticText &text = staticText(label->text(), font);
        const QSizeF size = text.size();
        p.drawStaticText(QPointF(cell.center().x() - size.width() / 2, cell.center().y() - size.height() / 2), text);
    }
}
