#pragma once

#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QSize>
#include <QString>

// The page, strip and meter pictures that lie beside the program as JPEG files.
namespace Pictures {

// The place a run-time picture is given: the largest it may be, and the size of the
// placeholder for one that cannot be shown. A page spans the place's width.
QSize expectedSize(const QString& fileName);

// The placeholder's grey.
inline constexpr QColor kPlaceholderShade {236, 236, 236};

// The picture of a bare file name, looked up in the working directory, then beside
// the program, then in the installed data folder (share/brivant/pictures beside the
// program's folder). On a screen of device pixel ratio 1.5 or more the twice-size
// drawing "name@2x.jpg" is preferred, with a device pixel ratio of 2 so that it takes
// the size of the plain one. A picture is shown at its own size; a file that is missing,
// unreadable, damaged or larger than its place (the expected size times the drawing's
// density) gives a neutral placeholder of the expected size and one line on standard error;
// it never ends the program. Decoded pictures are kept until the file changes; one the time
// cap stopped is decoded again when next asked for.
QPixmap load(const QString& fileName, qreal devicePixelRatio = 1);

// A picture compiled into the program ("skin.jpg", "icon@2x.png"), shared by all who show it.
QPixmap builtIn(const QString& name);
// The same, from its twice-size drawing on a screen of device pixel ratio 1.5 or more.
QPixmap builtIn(const QString& name, qreal devicePixelRatio);

} // namespace Pictures

// An image control. It draws its picture one rectangle of the exposed area at a time: Qt
// copies a picture into a rectangle as it is, but composes one clipped to any other shape
// (the skin around the About picture, a page around its opaque captions) line by line on
// a pool of threads, whose start and hand-overs cost more than the copy.
//
// A picture out of sight may wait to be decoded until the control is first painted.
class PictureLabel : public QLabel
{
public:
    using QLabel::QLabel;

    // A page keeps its whole place on the screen: a smaller picture shows at its own size at
    // the top, over the empty screen, and nothing the page covers shows beneath it.
    void keepPlace() { m_keepsPlace = true; }
    // Shows the picture now, at its own size or, for a page, in its place.
    void showNow(const QString& fileName, const QPixmap& picture);
    // Takes the picture's expected size now, and its pixels and own size when first painted;
    // an empty name forgets a picture still waiting.
    void showLater(const QString& fileName, qreal devicePixelRatio);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_later;
    qreal m_laterRatio = 1;
    bool m_keepsPlace = false;
};
