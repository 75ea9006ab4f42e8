// Field widgets shared by the property dialogs: colour picker, line-width list, frame-shape list.
#pragma once

#include <QComboBox>
#include <QString>
#include <QToolButton>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "gui/model/object_format.h"

class QMenu;
class QWidget;

namespace tokarium {

// How a dialog tells the user why it stays open; tests replace the message box.
using DialogMessenger = std::function<void(QWidget* parent, const QString& text)>;
// A warning message box over the parent.
DialogMessenger messageBoxMessenger();

// A button showing the colour, with a drop-down of the 40-colour palette, "Others..." (the platform's
// colour chooser) and, when allowed, "Transparent" (kNoColour). Colours outside the palette show as they are.
class ColourPicker : public QToolButton {
    Q_OBJECT

public:
    ColourPicker(Colour colour, bool allowTransparent, QWidget* parent = nullptr);

    Colour colour() const { return m_colour; }
    void setColour(Colour colour);
    bool allowsTransparent() const { return m_allowTransparent; }

    // The drop-down and its parts.
    QMenu* dropDown() const { return m_menu; }
    QToolButton* swatch(int position) const { return m_swatches.at(static_cast<std::size_t>(position)); }
    QAction* othersAction() const { return m_others; }
    // None when "Transparent" is not offered.
    QAction* transparentAction() const { return m_transparent; }

signals:
    // A colour was picked by the user.
    void colourPicked(Colour colour);

private:
    void pick(Colour colour);
    void chooseOther();
    void updateFace();

    Colour m_colour;
    bool m_allowTransparent;
    QMenu* m_menu = nullptr;
    std::vector<QToolButton*> m_swatches;
    QAction* m_others = nullptr;
    QAction* m_transparent = nullptr;
};

// Ten entries, widths 0 to 9: "(fine)", then a sample line of each width. A stored width outside that
// range gets an entry of its own so that it survives the dialog.
class LineWidthBox : public QComboBox {
public:
    explicit LineWidthBox(std::int32_t width, QWidget* parent = nullptr);
    std::int32_t width() const;
    void setWidth(std::int32_t width);
};

// The six frame shapes of legends and graphs, each drawn as a sample; another stored shape number gets an
// entry of its own.
class FrameShapeBox : public QComboBox {
public:
    explicit FrameShapeBox(std::int32_t style, QWidget* parent = nullptr);
    std::int32_t style() const;
    void setStyle(std::int32_t style);
};

// Number fields: reals and integers read leniently ("," accepted, anything else 0).
QString realText(double value);
double realFromText(const QString& text);
std::int32_t integerFromText(const QString& text);
// "Index:": an integer of at least 1; anything else gives 1.
std::int32_t indexFromText(const QString& text);

} // namespace tokarium
