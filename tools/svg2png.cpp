// Renders one SVG file to a PNG at a whole number of pixels per SVG unit.
// Usage: kz470-svg2png in.svg out.png scale
// An output named stem_WxH_<scale>.png promises a picture of W x H units, so
// the source's view box must be exactly W x H.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <cstdio>

namespace {

QtMessageHandler g_defaultHandler = nullptr;

// The offscreen platform complains about a missing runtime directory, which
// does not matter here; everything else (the SVG parser's warnings) stays.
void messageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    g_defaultHandler(type, context, message);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    g_defaultHandler = qInstallMessageHandler(messageHandler);
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s in.svg out.png scale\n", argv[0]);
        return 2;
    }
    const QString in = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    bool ok = false;
    const int scale = QString::fromLocal8Bit(argv[3]).toInt(&ok);
    if (!ok || scale < 1) {
        std::fprintf(stderr, "bad scale\n");
        return 2;
    }
    QSvgRenderer renderer(in);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "%s: not a valid SVG\n", argv[1]);
        return 1;
    }
    const QRectF box = renderer.viewBoxF();
    const QRegularExpressionMatch named = QRegularExpression(QStringLiteral("_(\\d+)x(\\d+)_(\\d+)\\.png$")).match(out);
    if (named.hasMatch() && named.captured(3).toInt() == scale
        && (!qFuzzyCompare(box.width(), named.captured(1).toDouble())
            || !qFuzzyCompare(box.height(), named.captured(2).toDouble()))) {
        std::fprintf(stderr, "%s: view box %gx%g, but the name promises %sx%s\n", argv[1], box.width(), box.height(),
                     qPrintable(named.captured(1)), qPrintable(named.captured(2)));
        return 1;
    }
    const QSize size(qRound(box.width() * scale), qRound(box.height() * scale));
    if (size.isEmpty()) {
        std::fprintf(stderr, "%s: empty view box\n", argv[1]);
        return 1;
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    QDir().mkpath(QFileInfo(out).absolutePath());
    if (!image.save(out, "PNG")) {
        std::fprintf(stderr, "%s: cannot write\n", argv[2]);
        return 1;
    }
    return 0;
}
