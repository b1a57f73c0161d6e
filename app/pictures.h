#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// The page, strip and meter pictures that lie beside the program as JPEG files.
namespace Pictures {

// The size a run-time picture is drawn at; what a missing one's placeholder takes.
QSize expectedSize(const QString& fileName);

// The picture of a bare file name, looked up in the working directory and then
// beside the program. A file that is missing, unreadable or absurdly large gives
// a neutral placeholder of the expected size and one line on standard error;
// it never ends the program. Decoded pictures are kept until the file changes.
QPixmap load(const QString& fileName);

// A built-in picture compiled into the program.
QPixmap builtIn(const QString& name);

} // namespace Pictures
