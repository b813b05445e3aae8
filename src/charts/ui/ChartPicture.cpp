#include "charts/ui/ChartPicture.h"

#include "common/TextUtil.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <pwd.h>
#include <unistd.h>

namespace kinetra::ui {

std::optional<PictureFormat> pictureFormatOf(const std::filesystem::path& path) {
    const std::string ext = lowerAscii(path.extension().string());
    if (ext == ".png")
        return PictureFormat::Png;
    if (ext == ".bmp")
        return PictureFormat::Bmp;
    if (ext == ".svg")
        return PictureFormat::Svg;
    return std::nullopt;
}

QImage chartImage(const ChartContent& chart, QSize size, const ChartDrawOptions& options) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    drawChart(painter, QRectF(QPointF(0, 0), QSizeF(size)), chart, options);
    return image;
}

QByteArray chartSvg(const ChartContent& chart, QSize size, const ChartDrawOptions& options) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QString::fromStdString(chart.mainTitle));
    svg.setDescription(QStringLiteral("KINETRA chart"));
    QPainter painter(&svg);
    drawChart(painter, QRectF(QPointF(0, 0), QSizeF(size)), chart, options);
    painter.end();
    return bytes;
}

bool writeChartPicture(const ChartContent& chart, const std::filesystem::path& path, int widthPx,
                       int heightPx, const ChartDrawOptions& options) {
    const auto format = pictureFormatOf(path);
    if (!format || widthPx < 1 || heightPx < 1)
        return false;
    const QSize size(widthPx, heightPx);
    QSaveFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    bool written = false;
    if (*format == PictureFormat::Svg)
        written = file.write(chartSvg(chart, size, options)) >= 0;
    else
        written = chartImage(chart, size, options)
                      .save(&file, *format == PictureFormat::Png ? "PNG" : "BMP");
    if (!written) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

HeadlessGui::HeadlessGui() {
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Batch runs under ssh, cron or a Slurm job often have no XDG_RUNTIME_DIR. Qt then uses (and
    // makes, private to the user) the folder named here all the same, but says so on stderr in
    // every run, which reads like a fault in the logs of a sweep's gather step.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        if (const passwd* user = ::getpwuid(::geteuid()))
            qputenv("XDG_RUNTIME_DIR",
                    QFile::encodeName(QDir::tempPath() + QStringLiteral("/runtime-") +
                                      QFile::decodeName(user->pw_name)));
    static int argc = 1;
    static char name[] = "kinetra-cli";
    static char* argv[] = {name, nullptr};
    own_ = std::make_unique<QGuiApplication>(argc, argv);
}

HeadlessGui::~HeadlessGui() = default;

} // namespace kinetra::ui
