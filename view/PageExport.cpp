#include "view/PageExport.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>

#include "model/HyperPage.h"
#include "platform/QtConv.h"
#include "platform/SafeSave.h"
#include "view/PagePainter.h"

namespace vx {

namespace {

// Output size in screen pixels of the page at its print scale.
bool PrintedPixels(const CPagePainter& painter, QSize& out, std::string& error) {
    const CSize extent = painter.PrintExtent();
    const double scale = painter.PrintScale(std::nullopt);
    const double w = std::ceil(extent.cx * scale), h = std::ceil(extent.cy * scale);
    if (!(w >= 1 && h >= 1) || w > kMaxExportPixels || h > kMaxExportPixels) {
        error = "the printed page (" + std::to_string(extent.cx) + " x " + std::to_string(extent.cy) +
                " units at scale " + std::to_string(scale) + ") is too large to export";
        return false;
    }
    out = QSize(int(w), int(h));
    return true;
}

}  // namespace

std::string ExportPage(CHyperPage& page, const std::string& path) {
    const QString file = ToQString(path);
    const QString suffix = QFileInfo(file).suffix().toLower();
    const CPagePainter painter(page);
    QSize px;
    std::string error;
    if (suffix != QLatin1String("png") && suffix != QLatin1String("svg") && suffix != QLatin1String("pdf"))
        return "cannot export to ." + FromQString(suffix) + " (use .png, .svg or .pdf)";
    if (!PrintedPixels(painter, px, error)) return error;

    // Drawn into memory first; the file is then replaced in one safe step, so
    // a failed export never leaves a cut file behind.
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    if (suffix == QLatin1String("png")) {
        QImage image(px, QImage::Format_RGB32);
        if (image.isNull()) return "not enough memory for the image";
        const int dpm = int(std::lround(CPagePainter::kScreenDpi / 0.0254));
        image.setDotsPerMeterX(dpm);
        image.setDotsPerMeterY(dpm);
        painter.RenderAsPrinted(&image);
        if (!image.save(&out, "PNG")) return "the image could not be encoded";
    } else if (suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&out);
        svg.setSize(px);
        svg.setViewBox(QRect(QPoint(0, 0), px));
        svg.setResolution(CPagePainter::kScreenDpi);
        svg.setTitle(QStringLiteral("Vexelwork design"));
        painter.RenderAsPrinted(&svg);
    } else {
        // PDF: one page of the printed size, no margins.
        QPdfWriter pdf(&out);
        pdf.setResolution(300);
        pdf.setPageSize(QPageSize(QSizeF(px.width() * 72.0 / CPagePainter::kScreenDpi, px.height() * 72.0 / CPagePainter::kScreenDpi),
                                  QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setCreator(QStringLiteral("Vexelwork"));
        painter.RenderAsPrinted(&pdf);
    }
    out.close();
    const QByteArray& bytes = out.data();
    if (bytes.isEmpty()) return "nothing was drawn to write";
    return SaveFileSafely(path, std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())));
}

}  // namespace vx
