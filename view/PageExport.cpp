#include "view/PageExport.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/HyperPage.h"
#include "platform/PngStream.h"
#include "platform/QtConv.h"
#include "platform/SafeSave.h"
#include "view/PagePainter.h"

namespace vx {

namespace {

std::string Number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

// Output size in screen pixels of the page at its print scale.
bool PrintedPixels(const CPagePainter& painter, double scale, QSize& out, std::string& error) {
    const CSize extent = painter.PrintExtent();
    const double w = std::ceil(extent.cx * scale), h = std::ceil(extent.cy * scale);
    if (!(w >= 1 && h >= 1) || w > kMaxExportPixels || h > kMaxExportPixels) {
        error = "the printed page (" + std::to_string(extent.cx) + " x " + std::to_string(extent.cy) +
                " units at scale " + Number(scale) + ") is too large to export";
        return false;
    }
    out = QSize(int(w), int(h));
    return true;
}

// The image's pixel count stays within kMaxExportImagePixels; the message
// names the size and the PrintScale that would fit.
bool FitsAsImage(QSize px, double scale, std::string& error) {
    const double pixels = double(px.width()) * px.height();
    if (pixels <= double(kMaxExportImagePixels)) return true;
    // Rounded down to two places, so that the suggestion does fit.
    const double fits = std::floor(scale * std::sqrt(double(kMaxExportImagePixels) / pixels) * 100) / 100;
    error = "the printed page would be " + std::to_string(px.width()) + " x " + std::to_string(px.height()) +
            " pixels (" + std::to_string(int64_t(pixels / 1e6)) + " million); a PNG export holds at most " +
            std::to_string(kMaxExportImagePixels / 1000000) + " million pixels: lower the page's PrintScale (now " +
            Number(scale) + ")" + (fits > 0 ? " to " + Number(fits) + " or less" : "");
    return false;
}

// Draws the page band by band and encodes each band as it is done.
std::string WritePng(const CPagePainter& painter, const ExportOptions& options, QSize px, const std::string& path) {
    const int bandRows = int(std::clamp<int64_t>(options.bandPixels / px.width(), 1, px.height()));
    QImage band(px.width(), bandRows, QImage::Format_RGB32);
    if (band.isNull()) return "not enough memory for the image";
    const int dpm = int(std::lround(CPagePainter::kScreenDpi / 0.0254));
    band.setDotsPerMeterX(dpm);
    band.setDotsPerMeterY(dpm);
    return SaveFileStreaming(path, [&](SaveStream& out) -> std::string {
        PngRowWriter png(out, px.width(), px.height(), dpm);
        for (int top = 0; png.ok() && out.error() == 0 && top < px.height(); top += bandRows) {
            painter.RenderBandAsPrinted(&band, top, options.scale);
            png.WriteRows(band, std::min(bandRows, px.height() - top));
        }
        if (out.error() == 0) png.Finish();
        return png.error();
    });
}

}  // namespace

std::string ExportPage(CHyperPage& page, const std::string& path, const ExportOptions& options) {
    const QString file = ToQString(path);
    const QString suffix = QFileInfo(file).suffix().toLower();
    const CPagePainter painter(page);
    QSize px;
    std::string error;
    if (suffix != QLatin1String("png") && suffix != QLatin1String("svg") && suffix != QLatin1String("pdf"))
        return "cannot export to ." + FromQString(suffix) + " (use .png, .svg or .pdf)";
    const double scale = painter.PrintScale(options.scale);
    if (!PrintedPixels(painter, scale, px, error)) return error;

    // The file is replaced in one safe step, so a failed export never leaves
    // a cut file behind.
    if (suffix == QLatin1String("png")) {
        if (!FitsAsImage(px, scale, error)) return error;
        return WritePng(painter, options, px, path);
    }
    // Vector formats are drawn into memory first.
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    if (suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&out);
        svg.setSize(px);
        svg.setViewBox(QRect(QPoint(0, 0), px));
        svg.setResolution(CPagePainter::kScreenDpi);
        svg.setTitle(QStringLiteral("Vexelwork design"));
        painter.RenderAsPrinted(&svg, options.scale);
    } else {
        // PDF: one page of the printed size, no margins.
        QPdfWriter pdf(&out);
        pdf.setResolution(300);
        pdf.setPageSize(QPageSize(QSizeF(px.width() * 72.0 / CPagePainter::kScreenDpi, px.height() * 72.0 / CPagePainter::kScreenDpi),
                                  QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setCreator(QStringLiteral("Vexelwork"));
        painter.RenderAsPrinted(&pdf, options.scale);
    }
    out.close();
    const QByteArray& bytes = out.data();
    if (bytes.isEmpty()) return "nothing was drawn to write";
    return SaveFileSafely(path, std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())));
}

}  // namespace vx
