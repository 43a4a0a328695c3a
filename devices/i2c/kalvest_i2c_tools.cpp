#include "kalvest_i2c_tools.h"
#include "ui_kalvest_i2c_tools.h"

#include <QLabel>

namespace {
// Cells on screen are set at most this often under a flood of dumps.
constexpr int kShowIntervalMs = 25;
const QColor kWhite(255, 255, 255);
const QColor kGreen(0, 205, 102); // "#00cd66"
const QColor kPink(255, 105, 180);

void paintCell(QLabel *label, const QColor &colour)
{
    QPalette p = label->palette();
    p.setColor(QPalette::All, QPalette::Window, colour);
    label->setPalette(p);
}

QLabel *makeLabel(const QString &text, int weight)
{
    auto *label = new QLabel(text);
    QFont font = label->font();
    font.setPointSize(10);
    font.setWeight(QFont::Weight(weight));
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}
} // namespace

kalvest_i2c_tools::kalvest_i2c_tools(QWidget *parent) : QWidget(parent), ui(new Ui::kalvest_i2c_tools)
{
    ui->setupUi(this);
    for (int a = 0; a < 0x80; ++a)
        ui->comboBox->addItem(QLatin1String("0x") + QStringLiteral("%1").arg(a, 2, 16, QLatin1Char('0')).toUpper());
    connect(ui->comboBox, SIGNAL(currentIndexChanged(int)), this, SLOT(onCurrentIndexChanged(int)));

    for (int c = 0; c < 16; ++c) {
        const QString h = QStringLiteral("%1").arg(c, 2, 16, QLatin1Char('0')).toUpper();
        ui->gridLayout->addWidget(makeLabel(h, 700), 0, c + 1);
        ui->gridLayout->addWidget(makeLabel(QStringLiteral("%1").arg(c * 16, 2, 16, QLatin1Char('0')).toUpper(), 700),
                                  c + 1, 0);
    }
    for (int k = 0; k < 256; ++k) {
        QLabel *cell = makeLabel(QStringLiteral("00"), 400);
        cell->setAutoFillBackground(true);
        registerCells.append(cell);
        ui->gridLayout->addWidget(cell, k / 16 + 1, k % 16 + 1);
    }
    m_showTimer.setSingleShot(true);
    m_showTimer.setInterval(kShowIntervalMs);
    connect(&m_showTimer, &QTimer::timeout, this, [this] {
        if (m_cellsDirty)
            showRegisters();
    });
}

kalvest_i2c_tools::~kalvest_i2c_tools() { delete ui; }

QComboBox *kalvest_i2c_tools::addressList() const { return ui->comboBox; }

void kalvest_i2c_tools::onCurrentIndexChanged(int index) { emit Channge_Addr(index); }

void kalvest_i2c_tools::Set_Data(const QByteArray &chunk)
{
    for (const I2cFrames::Frame &f : m_parser.feed(chunk)) {
        switch (f.command) {
        case I2cFrames::Scan:
            emit Get_Addr(f.payload);
            break;
        case I2cFrames::Start:
            for (int k = 0; k < f.payload.size() && k < registerCells.size(); ++k)
                takeRegister(k, quint8(f.payload[k]));
            m_cellsDirty = true;
            break;
        case I2cFrames::Read:
            emit Get_Data(f.payload);
            break;
        default:
            break;
        }
    }
    if (m_cellsDirty)
        scheduleShow();
}

void kalvest_i2c_tools::Set_Register(int k, quint8 value)
{
    if (k < 0 || k >= registerCells.size())
        return;
    takeRegister(k, value);
    showCell(k);
}

void kalvest_i2c_tools::takeRegister(int k, quint8 value)
{
    CellState &cell = m_cells[size_t(k)];
    if (cell.value == value)
        cell.shade = Shade::White;
    else
        cell.shade = cell.shade == Shade::Green ? Shade::Pink : Shade::Green;
    cell.value = value;
    cell.dirty = true;
}

void kalvest_i2c_tools::showCell(int k)
{
    CellState &cell = m_cells[size_t(k)];
    if (!cell.dirty)
        return;
    cell.dirty = false;
    QLabel *label = registerCells[k];
    const QString text = QStringLiteral("%1").arg(cell.value, 2, 16, QLatin1Char('0')).toUpper();
    if (label->text() != text)
        label->setText(text);
    const QColor &colour = cell.shade == Shade::Pink ? kPink : cell.shade == Shade::Green ? kGreen : kWhite;
    if (label->palette().color(QPalette::Window) != colour)
        paintCell(label, colour);
}

void kalvest_i2c_tools::scheduleShow()
{
    // The first dump after a quiet spell is shown at once; the rest of a
    // flood is gathered into one update per interval.
    if (m_showTimer.isActive())
        return;
    showRegisters();
}

void kalvest_i2c_tools::showRegisters()
{
    m_cellsDirty = false;
    for (int k = 0; k < registerCells.size(); ++k)
        showCell(k);
    m_showTimer.start();
}
