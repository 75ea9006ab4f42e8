// Field widgets shared by the property dialogs.
#include "gui/editor/dialog_fields.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QWidgetAction>

#include "gui/editor/dialog_constants.h"
#include "gui/editor/painter_surface.h"
#include "gui/model/framed_box.h"
#include "gui/model/number_text.h"

namespace tokarium {
namespace {

constexpr QSize kFaceIconSize(32, 14);
constexpr QSize kLineSampleSize(64, 14);
constexpr QSize kFrameSampleSize(80, 40);
constexpr int kFrameSampleInset = 4;

QIcon colourIcon(Colour colour, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(colour == kNoColour ? QBrush(Qt::NoBrush) : QBrush(toQColor(colour)));
    painter.drawRect(QRect(QPoint(0, 0), size).adjusted(0, 0, -1, -1));
    if (colour == kNoColour)
        painter.drawLine(0, size.height() - 1, size.width() - 1, 0);
    return QIcon(pixmap);
}

QString colourName(Colour colour) {
    return QStringLiteral("0x") + QString::number(static_cast<unsigned>(colour), 16).rightJustified(6, QLatin1Char('0')).toUpper();
}

QIcon lineSample(int width) {
    QPixmap pixmap(kLineSampleSize);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.fillRect(QRect(0, (kLineSampleSize.height() - width) / 2, kLineSampleSize.width(), width), Qt::black);
    return QIcon(pixmap);
}

QIcon frameSample(int style) {
    QPixmap pixmap(kFrameSampleSize);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, false);
    PainterSurface surface(painter);
    ObjectFormat format;
    format.back = kWhite;
    format.line = kBlack;
    format.width = 1;
    format.style = style;
    const Rect box{kFrameSampleInset, kFrameSampleInset, kFrameSampleSize.width() - kFrameSampleInset,
                   kFrameSampleSize.height() - kFrameSampleInset};
    drawFramedBox(surface, box, format);
    return QIcon(pixmap);
}

// Selects the entry carrying the value, adding one for a value the list does not offer.
void selectValue(QComboBox& box, int value) {
    int position = box.findData(value);
    if (position < 0) {
        box.addItem(QString::number(value), value);
        position = box.count() - 1;
    }
    box.setCurrentIndex(position);
}

} // namespace

DialogMessenger messageBoxMessenger() {
    return [](QWidget* parent, const QString& text) {
        QMessageBox::warning(parent, QGuiApplication::applicationDisplayName(), text);
    };
}

ColourPicker::ColourPicker(Colour colour, bool allowTransparent, QWidget* parent)
    : QToolButton(parent), m_colour(colour), m_allowTransparent(allowTransparent) {
    setPopupMode(QToolButton::InstantPopup);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setIconSize(kFaceIconSize);
    m_menu = new QMenu(this);

    auto* grid = new QWidget(m_menu);
    auto* layout = new QGridLayout(grid);
    layout->setSpacing(2);
    layout->setContentsMargins(4, 4, 4, 4);
    for (std::size_t i = 0; i < kPaletteColours.size(); ++i) {
        const Colour entry = kPaletteColours[i];
        auto* button = new QToolButton(grid);
        button->setObjectName(QStringLiteral("swatch%1").arg(i));
        button->setAutoRaise(true);
        button->setIconSize(QSize(kPaletteSwatchSize, kPaletteSwatchSize));
        button->setIcon(colourIcon(entry, QSize(kPaletteSwatchSize, kPaletteSwatchSize)));
        button->setToolTip(colourName(entry));
        const int position = static_cast<int>(i);
        layout->addWidget(button, position / kPaletteColumns, position % kPaletteColumns);
        connect(button, &QToolButton::clicked, this, [this, entry] {
            m_menu->close();
            pick(entry);
        });
        m_swatches.push_back(button);
    }
    auto* gridAction = new QWidgetAction(m_menu);
    gridAction->setDefaultWidget(grid);
    m_menu->addAction(gridAction);
    m_menu->addSeparator();
    m_others = m_menu->addAction(tr("Others..."), this, &ColourPicker::chooseOther);
    if (m_allowTransparent)
        m_transparent = m_menu->addAction(tr("Transparent"), this, [this] { pick(kNoColour); });
    setMenu(m_menu);
    updateFace();
}

void ColourPicker::setColour(Colour colour) {
    m_colour = colour;
    updateFace();
}

void ColourPicker::pick(Colour colour) {
    if (colour == kNoColour && !m_allowTransparent)
        return;
    setColour(colour);
    emit colourPicked(colour);
}

void ColourPicker::chooseOther() {
    const QColor initial = m_colour == kNoColour ? QColor(Qt::white) : toQColor(m_colour);
    const QColor chosen = QColorDialog::getColor(initial, this);
    if (chosen.isValid())
        pick(static_cast<Colour>(chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16)));
}

void ColourPicker::updateFace() {
    setIcon(colourIcon(m_colour, kFaceIconSize));
    setText(m_colour == kNoColour ? tr("Transparent") : QString());
    setToolTip(m_colour == kNoColour ? tr("Transparent") : colourName(m_colour));
}

LineWidthBox::LineWidthBox(std::int32_t width, QWidget* parent) : QComboBox(parent) {
    setIconSize(kLineSampleSize);
    addItem(tr("(fine)"), 0);
    for (int i = 1; i < kLineWidthCount; ++i) {
        addItem(lineSample(i), QString(), i);
        setItemData(i, QString::number(i), Qt::ToolTipRole);
    }
    setWidth(width);
}

std::int32_t LineWidthBox::width() const {
    return currentData().toInt();
}

void LineWidthBox::setWidth(std::int32_t width) {
    selectValue(*this, width);
}

FrameShapeBox::FrameShapeBox(std::int32_t style, QWidget* parent) : QComboBox(parent) {
    setIconSize(kFrameSampleSize);
    for (int i = 0; i < kFrameShapeCount; ++i) {
        addItem(frameSample(i), QString(), i);
        setItemData(i, QString::number(i), Qt::ToolTipRole);
    }
    setStyle(style);
}

std::int32_t FrameShapeBox::style() const {
    return currentData().toInt();
}

void FrameShapeBox::setStyle(std::int32_t style) {
    selectValue(*this, style);
}

QString realText(double value) {
    return QString::fromStdString(formatReal(value));
}

double realFromText(const QString& text) {
    return realOrZero(trimBlanks(text.toStdString()));
}

std::int32_t integerFromText(const QString& text) {
    return integerOrZero(trimBlanks(text.toStdString()));
}

std::int32_t indexFromText(const QString& text) {
    const std::int32_t index = integerFromText(text);
    return index < 1 ? 1 : index;
}

} // namespace tokarium
