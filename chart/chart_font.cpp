#include "chart/chart_font.h"

#include <QFile>

namespace passcat {
namespace {

const QByteArray& FontData()
{
    static const QByteArray data = [] {
        QFile file(QStringLiteral(":/chart/DejaVuSans.ttf"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    return data;
}

} // namespace

bool LoadChartFont()
{
    return ChartFont(12).isValid();
}

QRawFont ChartFont(double pixelSize)
{
    return QRawFont(FontData(), pixelSize, QFont::PreferNoHinting);
}

} // namespace passcat
