#include "kalvest_tof_data.h"
#include "ui_kalvest_tof_data.h"

#include "tofframes.h"

#include <QPainter>

bool TofZoneLabel::setZone(int distance, const QColor &color, int pointSize)
{
    if (m_colored && distance == m_distance && color == m_color && pointSize == m_pointSize)
        return false;
    // The label does not mark itself for repainting: the grid repaints as
    // one (1536 labels each queued on their own cost more than drawing them).
    setAttribute(Qt::WA_UpdatesDisabled, true);
    if (!m_colored || color != m_color) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, color);
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
    setAttribute(Qt::WA_UpdatesDisabled, false);
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
    // Labels added to a hidden widget are shown with it in one go; shown
    // one by one, 1536 of them take about half a second.
    const bool shown = !isHidden();
    if (shown)
        hide();
    for (int r = 0; r < grid.rows; ++r) {
        for (int c = 0; c < grid.cols; ++c)
            makeLabel(r, c, zones);
    }
    if (shown)
        show();
}

void kalvest_tof_data::set_value(int index, int distance)
{
    if (index < 0 || index >= labels.size())
        return;
    labels.at(index)->setZone(distance, get_color(distance), pointSizeFor(int(labels.size())));
}
