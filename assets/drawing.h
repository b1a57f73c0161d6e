#pragma once

// Shared by the painters of the skin, the pages and the meters: the palette, the
// fonts, the positions of controls and the small parts every page is made of.
// All drawing is in the window's logical pixels; the painter's scale does the rest.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>

#include <functional>
#include <string_view>

namespace Artwork {

namespace Colour {
inline const QColor kAccent {31, 78, 121};
inline const QColor kAccentLight {47, 104, 156};
inline const QColor kAccentDark {20, 52, 84};
inline const QColor kPage {242, 244, 247};
inline const QColor kRule {176, 192, 211};
inline const QColor kText {34, 40, 49};
inline const QColor kQuiet {72, 80, 92};
inline const QColor kFieldEdge {96, 108, 126};
inline const QColor kFieldShade {70, 82, 100};
inline const QColor kValueEdge {200, 208, 219};
inline const QColor kTrack {224, 228, 233};
// The rim of a dial's scale, which shows it whatever colours fill it.
inline const QColor kScaleEdge {70, 76, 86};
} // namespace Colour

// Where a picture's top-left corner lies in the window.
QPointF pageOrigin();
QPointF stripOrigin();
QPointF aboutOrigin();

// A control's rectangle in window pixels, or relative to a picture's origin.
QRectF rectOf(std::string_view control);
QRectF rectOf(std::string_view control, QPointF origin);
QRectF optionRect(int index, QPointF origin);

QFont sans(qreal pixelSize, bool bold = false);

// A picture of the given logical size drawn at the given scale.
QImage render(QSize logical, qreal scale, const QColor& background,
              const std::function<void(QPainter&)>& paint);

enum class Arrow { Up, Down };
enum class ArrowsWork { None, Up, Down, Both };

// The parts of a page picture, at page coordinates.
void drawPageBase(QPainter& p);
void drawHeading(QPainter& p, const QString& text, const QString& mark = {});
void drawSection(QPainter& p, const QString& text, qreal top);
void drawArrows(QPainter& p, ArrowsWork arrows);
// A white input field exactly under the control, its frame just outside it.
void drawField(QPainter& p, const QRectF& field);
// A white place for a drop-down list, which frames itself.
void drawListField(QPainter& p, const QRectF& list);
// A white place for a label that shows a value.
void drawValueBox(QPainter& p, const QRectF& box);
// The caption in the column at the left of the page, level with the field.
void drawCaption(QPainter& p, const QString& text, const QRectF& field, qreal left = 10);
// A small sign standing right before a field, such as the dollar of an amount.
void drawPrefix(QPainter& p, const QString& sign, const QRectF& field);
// The face under a label button; the label draws its own border and caption.
void drawButtonFace(QPainter& p, const QRectF& button);
// A text flowed into a box; the height it took.
qreal drawParagraph(QPainter& p, const QString& text, const QRectF& box, const QFont& font,
                    const QColor& colour);

// The half dial of the meters and of the About picture: eight segments from E
// to F, the first `level` of them lit.
struct DialStyle
{
    qreal ringWidth = 10;
    qreal gap = 1.5; // degrees between segments
    bool neutral = false; // the placeholder: no colour, no needle
};
void drawDial(QPainter& p, QPointF centre, qreal radius, int level, const DialStyle& style);
QColor levelColour(int level);

} // namespace Artwork
