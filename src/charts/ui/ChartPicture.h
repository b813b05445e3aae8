// Pictures of a chart: PNG and BMP images and SVG drawings (SVG stands where a Windows metafile
// would), drawn by the chart window's own drawing, for files, the clipboard and batch work.
#pragma once

#include "charts/ui/ChartPainter.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <filesystem>
#include <memory>
#include <optional>

class QGuiApplication;

namespace kinetra::ui {

enum class PictureFormat { Png, Bmp, Svg };

// By the extension, in any case; nothing for any other.
std::optional<PictureFormat> pictureFormatOf(const std::filesystem::path& path);

QImage chartImage(const ChartContent& chart, QSize size, const ChartDrawOptions& options = {});
QByteArray chartSvg(const ChartContent& chart, QSize size, const ChartDrawOptions& options = {});

// Writes the picture in the format of the path's extension through a temporary name, so that a
// failed write leaves an older picture whole. False when the extension is not png, bmp or svg or
// the file cannot be written. Needs a Qt application object (see HeadlessGui).
bool writeChartPicture(const ChartContent& chart, const std::filesystem::path& path, int widthPx,
                       int heightPx, const ChartDrawOptions& options = {});

// Batch work draws into files only: makes the Qt application object drawing needs, on the
// offscreen platform, when the program has none; keeps it while it lives.
class HeadlessGui {
public:
    HeadlessGui();
    ~HeadlessGui();
    HeadlessGui(const HeadlessGui&) = delete;
    HeadlessGui& operator=(const HeadlessGui&) = delete;

private:
    std::unique_ptr<QGuiApplication> own_;
};

} // namespace kinetra::ui
