#include "assets/preview.h"

namespace skyraid {

QString previewPicturePath()
{
    return QStringLiteral(":/skyraid/preview.bmp");
}

QImage previewPicture()
{
    return QImage(previewPicturePath(), "BMP");
}

} // namespace skyraid
