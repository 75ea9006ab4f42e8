// make_manual: renders the Markdown user manual into the PDF that "Help..." opens.
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kResolution = 300;
constexpr double kMarginMm = 20.0;
constexpr int kBodyPointSize = 10;
constexpr const char* kTitle = "Tokarium - How to";
// Widest picture, in the document's pixels (the text of an A4 page is about 640 wide; pictures keep a margin).
constexpr int kMaxPictureWidth = 440;

// Loads every picture the manual names (relative to its folder) and fits it to the page width.
// False when a picture is missing.
bool loadPictures(QTextDocument& document, const QDir& folder) {
    bool complete = true;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QImage picture(folder.filePath(format.name()));
            if (picture.isNull()) {
                std::fprintf(stderr, "make_manual: cannot read the picture %s\n", qPrintable(format.name()));
                complete = false;
                continue;
            }
            document.addResource(QTextDocument::ImageResource, QUrl(format.name()), picture);
            const double width = std::min(picture.width(), kMaxPictureWidth);
            format.setWidth(width);
            format.setHeight(width * picture.height() / picture.width());
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
    return complete;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_manual MANUAL.md OUTPUT.pdf\n");
        return 2;
    }
    // A build step has no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);

    QFile source(input);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make_manual: cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument document;
    QFont font = document.defaultFont();
    font.setPointSize(kBodyPointSize);
    document.setDefaultFont(font);
    document.setMarkdown(QString::fromUtf8(source.readAll()));
    if (!loadPictures(document, QFileInfo(input).absoluteDir()))
        return 1;

    // The finished file replaces the old one only once it is complete.
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "make_manual: cannot write %s\n", argv[2]);
        return 1;
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle(QString::fromLatin1(kTitle));
        writer.setCreator(QStringLiteral("make_manual"));
        writer.setResolution(kResolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                         QPageLayout::Millimeter));
        document.print(&writer);
    }
    if (!file.commit()) {
        std::fprintf(stderr, "make_manual: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
