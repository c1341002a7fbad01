// Builds the user's guide: make_guide GUIDE.html OUT.pdf. The HTML (with its
// pictures beside it) is laid out by Qt's rich-text engine on A4 pages with
// page numbers. Runs without a display (QT_QPA_PLATFORM=offscreen).
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>
#include <cstdio>

int main(int argc, char* argv[]) {
  QGuiApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_guide GUIDE.html OUT.pdf\n");
    return 2;
  }
  QFile source(QString::fromLocal8Bit(argv[1]));
  if (!source.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  QTextDocument guide;
  // The pictures the guide shows lie beside it.
  const QDir folder = QFileInfo(source).absoluteDir();
  for (const QString& picture : folder.entryList({QStringLiteral("*.png")}, QDir::Files)) {
    guide.addResource(QTextDocument::ImageResource, QUrl(picture),
                      QImage(folder.absoluteFilePath(picture)));
  }
  guide.setHtml(QString::fromUtf8(source.readAll()));

  QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
  writer.setTitle(guide.metaInformation(QTextDocument::DocumentTitle));
  writer.setCreator(QStringLiteral("Velmora"));
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(18, 16, 18, 16), QPageLayout::Millimeter);
  writer.setResolution(300);
  guide.print(&writer);
  if (!QFileInfo(QString::fromLocal8Bit(argv[2])).size()) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
