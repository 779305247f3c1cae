// make_manual: turns one Markdown manual of Norlath Measurement into an A4 PDF.
//
//   make_manual INPUT.md OUTPUT.pdf VERSION [IMAGE_FOLDER...]
//
// The source may open with a comment block of "key: value" lines that names the
// document (keys: program, title, subtitle, licence, notice, contents, page,
// footer). The PDF gets a title block with the program name, the title,
// "Version VERSION" and the licence line, a table of contents, numbered
// chapters and sections, and page numbers in the footer.
//
// Images are looked up by their relative path, and by their file name alone,
// in the folder of INPUT and then in each IMAGE_FOLDER; an image that is found
// nowhere is drawn as a framed line holding its alternative text, so a manual
// builds before its pictures exist. An image title "width=NN%" sets its width
// as a share of the text width.
//
// Exit status 0 on success; 1 with one line on stderr when INPUT cannot be read
// or OUTPUT cannot be written; 2 for wrong arguments.
#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QMap>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

namespace {

// Page geometry in millimetres (A4).
constexpr double kMarginLeft = 20.0;
constexpr double kMarginRight = 18.0;
constexpr double kMarginTop = 18.0;
constexpr double kMarginBottom = 22.0;
constexpr double kFooterOffset = 10.0;  // footer baseline below the text area
constexpr int kResolution = 600;        // layout units per inch

const char* const kBodyFont = "DejaVu Sans";
const char* const kMonoFont = "DejaVu Sans Mono";
const QColor kHeadingColour(0x1f, 0x3a, 0x5f);
const QColor kRuleColour(0x8c, 0x9b, 0xab);
const QColor kTableHeaderColour(0xe3, 0xe9, 0xf0);
const QColor kCodeBackground(0xf1, 0xf3, 0xf5);
const QColor kQuietText(0x55, 0x55, 0x55);

void Fail(const QString& line, int status = 1) {
  std::fprintf(stderr, "make_manual: %s\n", qPrintable(line));
  std::exit(status);
}

// The leading <!-- key: value ... --> block, and the Markdown after it.
struct Source {
  QMap<QString, QString> meta;
  QString markdown;
  QString Meta(const QString& key, const QString& fallback = QString()) const {
    return meta.value(key, fallback);
  }
};

Source ReadSource(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    Fail(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
  }
  Source source;
  QString text = QString::fromUtf8(file.readAll());
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  const QString trimmed = text.trimmed();
  if (trimmed.startsWith(QStringLiteral("<!--"))) {
    const qsizetype start = text.indexOf(QStringLiteral("<!--"));
    const qsizetype end = text.indexOf(QStringLiteral("-->"), start);
    if (end > start) {
      const QString block = text.mid(start + 4, end - start - 4);
      for (const QString& line : block.split(QLatin1Char('\n'))) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon > 0) {
          source.meta.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
        }
      }
      text = text.mid(end + 3);
    }
  }
  source.markdown = text;
  return source;
}

// Sizes: the layout works in device units of the PDF writer.
struct Geometry {
  double unitsPerMm = kResolution / 25.4;
  double pageWidth = 0;  // text area
  double pageHeight = 0;
  double Mm(double mm) const { return mm * unitsPerMm; }
  // Lengths in text formats (margins, borders, paddings, image sizes) are in
  // 1/96 inch, which the layout scales to the device.
  double Px(double points) const { return points * 96.0 / 72.0; }
  // Lengths for the painter are in device units.
  double Pt(double points) const { return points * kResolution / 72.0; }
};

QFont Font(const char* family, double points, bool bold = false) {
  QFont font(QString::fromLatin1(family));
  font.setPointSizeF(points);
  font.setBold(bold);
  font.setStyleHint(QFont::SansSerif);
  // A letter spacing other than zero keeps the shaper from joining "ff" or
  // "fl" into ligatures, so that the text stays searchable as typed.
  font.setLetterSpacing(QFont::AbsoluteSpacing, 0.02);
  return font;
}

std::unique_ptr<QTextDocument> NewDocument(QPdfWriter& writer, const Geometry& geometry) {
  auto document = std::make_unique<QTextDocument>();
  document->documentLayout()->setPaintDevice(&writer);
  document->setDefaultFont(Font(kBodyFont, 10));
  document->setUseDesignMetrics(true);
  document->setDocumentMargin(0);
  document->setPageSize(QSizeF(geometry.pageWidth, geometry.pageHeight));
  return document;
}

// Every frame of the document, depth first.
void CollectFrames(QTextFrame* frame, QList<QTextFrame*>& frames) {
  frames.append(frame);
  for (QTextFrame* child : frame->childFrames())
    CollectFrames(child, frames);
}

void StyleTables(QTextDocument& document, const Geometry& geometry) {
  QList<QTextFrame*> frames;
  CollectFrames(document.rootFrame(), frames);
  for (QTextFrame* frame : frames) {
    auto* table = qobject_cast<QTextTable*>(frame);
    if (table == nullptr) continue;
    QTextTableFormat format = table->format();
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderBrush(kRuleColour);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(geometry.Px(2.5));
    format.setHeaderRowCount(1);
    format.setTopMargin(geometry.Px(4));
    format.setBottomMargin(geometry.Px(8));
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    table->setFormat(format);
    for (int row = 0; row < table->rows(); ++row) {
      for (int column = 0; column < table->columns(); ++column) {
        QTextTableCell cell = table->cellAt(row, column);
        QTextCursor cursor = cell.firstCursorPosition();
        cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
        QTextCharFormat text;
        text.setFontPointSize(9);
        if (row == 0) text.setFontWeight(QFont::Bold);
        cursor.mergeCharFormat(text);
        QTextBlockFormat block;
        block.setLineHeight(104, QTextBlockFormat::ProportionalHeight);
        block.setBottomMargin(0);
        cursor.mergeBlockFormat(block);
        if (row == 0) {
          QTextTableCellFormat cellFormat = cell.format().toTableCellFormat();
          cellFormat.setBackground(kTableHeaderColour);
          cell.setFormat(cellFormat);
        }
      }
    }
  }
}

bool InTable(const QTextBlock& block) {
  QTextCursor cursor(block);
  return cursor.currentTable() != nullptr;
}

bool IsCode(const QTextBlock& block) {
  const QTextBlockFormat format = block.blockFormat();
  return format.hasProperty(QTextFormat::BlockCodeFence) || format.nonBreakableLines() ||
         format.hasProperty(QTextFormat::BlockCodeLanguage);
}

// Code blocks: a grey band in the monospaced face; a block whose longest line
// is wider than the text area gets a smaller face, as code lines never wrap.
void StyleCode(QTextDocument& document, QPaintDevice& device, const Geometry& geometry) {
  const double inset = geometry.Px(6) * kResolution / 96.0;  // device units
  const double available = geometry.pageWidth - 2 * inset;
  for (QTextBlock block = document.begin(); block.isValid();) {
    if (!IsCode(block) || InTable(block)) {
      block = block.next();
      continue;
    }
    QList<QTextBlock> lines;
    for (; block.isValid() && IsCode(block) && !InTable(block); block = block.next())
      lines.append(block);
    double points = 8.5;
    double widest = 0;
    const QFontMetricsF metrics(Font(kMonoFont, points), &device);
    for (const QTextBlock& line : lines)
      widest = qMax(widest, metrics.horizontalAdvance(line.text()));
    if (widest > available) points = qMax(5.5, points * available / widest * 0.98);
    for (int i = 0; i < lines.size(); ++i) {
      QTextCursor cursor(lines[i]);
      cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
      QTextCharFormat text;
      text.setFont(Font(kMonoFont, points));
      text.setFontFixedPitch(true);
      cursor.mergeCharFormat(text);
      QTextBlockFormat format = lines[i].blockFormat();
      format.setBackground(kCodeBackground);
      format.setLeftMargin(geometry.Px(6));
      format.setRightMargin(geometry.Px(6));
      format.setTopMargin(i == 0 ? geometry.Px(3) : 0);
      format.setBottomMargin(i + 1 == lines.size() ? geometry.Px(7) : 0);
      format.setLineHeight(100, QTextBlockFormat::SingleHeight);
      cursor.setBlockFormat(format);
    }
  }
}

struct Heading {
  int level = 0;
  QString text;  // with its number
  QTextBlock block;
};

// Heading, paragraph and code styles; numbers chapters (1) and sections (1.1).
QList<Heading> StyleBlocks(QTextDocument& document, const Geometry& geometry) {
  QList<Heading> headings;
  int chapter = 0;
  int section = 0;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    QTextBlockFormat format = block.blockFormat();
    const int level = format.headingLevel();
    if (level > 0) {
      QString number;
      if (level == 1) {
        number = QString::number(++chapter);
        section = 0;
      } else if (level == 2) {
        number = QStringLiteral("%1.%2").arg(chapter).arg(++section);
      }
      static const double kSizes[] = {0, 16, 13, 11, 10, 10, 10};
      static const double kAbove[] = {0, 20, 14, 10, 8, 8, 8};
      static const double kBelow[] = {0, 8, 6, 4, 3, 3, 3};
      const int index = qBound(1, level, 6);
      QTextCharFormat text;
      text.setFont(Font(kBodyFont, kSizes[index], true));
      text.setForeground(level <= 2 ? kHeadingColour : QColor(Qt::black));
      cursor.setCharFormat(text);
      format.setTopMargin(block == document.begin() ? 0 : geometry.Px(kAbove[index]));
      format.setBottomMargin(geometry.Px(kBelow[index]));
      format.setLineHeight(100, QTextBlockFormat::SingleHeight);
      cursor.setBlockFormat(format);
      if (!number.isEmpty()) {
        QTextCursor start(block);
        start.insertText(number + QStringLiteral("  "), text);
      }
      headings.append({level, block.text().trimmed(), block});
      continue;
    }
    if (InTable(block)) continue;
    if (IsCode(block)) continue;
    format.setLineHeight(112, QTextBlockFormat::ProportionalHeight);
    format.setTopMargin(block.textList() != nullptr ? geometry.Px(1) : 0);
    format.setBottomMargin(block.textList() != nullptr ? geometry.Px(1) : geometry.Px(5));
    cursor.setBlockFormat(format);
  }
  // Inline code in the body text: the monospaced face at a matching size.
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.isValid() || !fragment.charFormat().fontFixedPitch()) continue;
      QTextCursor cursor(&document);
      cursor.setPosition(fragment.position());
      cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
      QTextCharFormat text;
      text.setFontFamilies({QString::fromLatin1(kMonoFont)});
      text.setFontPointSize(InTable(block) ? 8.5 : 9);
      cursor.mergeCharFormat(text);
    }
  }
  // The last block of a list gets the paragraph spacing back.
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block.textList() == nullptr) continue;
    const QTextBlock next = block.next();
    if (next.isValid() && next.textList() == block.textList()) continue;
    QTextCursor cursor(block);
    QTextBlockFormat format = block.blockFormat();
    format.setBottomMargin(geometry.Px(5));
    cursor.setBlockFormat(format);
  }
  return headings;
}

std::optional<QString> FindImage(const QString& name, const QStringList& folders) {
  const QString relative = QUrl(name).isLocalFile() ? QUrl(name).toLocalFile() : name;
  if (QFileInfo(relative).isAbsolute()) {
    if (QFileInfo::exists(relative)) return relative;
    return std::nullopt;
  }
  const QString fileName = QFileInfo(relative).fileName();
  for (const QString& folder : folders) {
    const QDir dir(folder);
    for (const QString& candidate : {dir.filePath(relative), dir.filePath(fileName)}) {
      if (QFileInfo(candidate).isFile()) return candidate;
    }
  }
  return std::nullopt;
}

// Loads the images found, sized to the text area; missing ones become a framed line.
void PlaceImages(QTextDocument& document, const Geometry& geometry, const QStringList& folders) {
  struct Found {
    int position;
    QTextImageFormat format;
  };
  QList<Found> images;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (fragment.isValid() && fragment.charFormat().isImageFormat()) {
        for (int i = 0; i < fragment.length(); ++i) {
          images.append({fragment.position() + i, fragment.charFormat().toImageFormat()});
        }
      }
    }
  }
  const double scale = kResolution / 96.0;  // device units per 1/96 inch
  for (auto it = images.rbegin(); it != images.rend(); ++it) {
    QTextCursor cursor(&document);
    cursor.setPosition(it->position);
    cursor.setPosition(it->position + 1, QTextCursor::KeepAnchor);
    QTextImageFormat format = it->format;
    const QString alt = format.property(QTextFormat::ImageAltText).toString();
    const std::optional<QString> path = FindImage(format.name(), folders);
    QImage image;
    if (path) image.load(*path);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.mergeBlockFormat(centred);
    if (!image.isNull()) {
      double share = 0;
      const QString title = format.property(QTextFormat::ImageTitle).toString();
      const QRegularExpressionMatch width =
          QRegularExpression(QStringLiteral("width\\s*=\\s*(\\d+)\\s*%")).match(title);
      if (width.hasMatch()) share = width.captured(1).toDouble() / 100.0;
      // Natural size at 150 dpi, never wider than the text area or taller
      // than two thirds of the page.
      double w = share > 0 ? geometry.pageWidth * share : image.width() * kResolution / 150.0;
      w = qMin(w, geometry.pageWidth);
      double h = w * image.height() / image.width();
      if (h > geometry.pageHeight * 0.66) {
        h = geometry.pageHeight * 0.66;
        w = h * image.width() / image.height();
      }
      document.addResource(QTextDocument::ImageResource, QUrl(format.name()), image);
      format.setWidth(w / scale);
      format.setHeight(h / scale);
      cursor.setCharFormat(format);
      continue;
    }
    cursor.removeSelectedText();
    QTextFrameFormat frame;
    frame.setBorder(0.75);
    frame.setBorderBrush(kRuleColour);
    frame.setBorderStyle(QTextFrameFormat::BorderStyle_Dashed);
    frame.setPadding(geometry.Px(5));
    frame.setTopMargin(geometry.Px(2));
    frame.setBottomMargin(geometry.Px(2));
    frame.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    cursor.insertFrame(frame);
    QTextCharFormat text;
    text.setFontItalic(true);
    text.setForeground(kQuietText);
    cursor.mergeBlockFormat(centred);
    const QString label = alt.isEmpty() ? QFileInfo(format.name()).fileName() : alt;
    cursor.insertText(QLatin1Char('[') + label + QLatin1Char(']'), text);
  }
}

int PageOf(QTextDocument& document, const QTextBlock& block, const Geometry& geometry) {
  const QRectF rect = document.documentLayout()->blockBoundingRect(block);
  return static_cast<int>(rect.top() / geometry.pageHeight);
}

// A heading whose following text starts on the next page moves there too.
void KeepHeadingsWithText(QTextDocument& document, const QList<Heading>& headings,
                          const Geometry& geometry) {
  for (const Heading& heading : headings) {
    const QTextBlock next = heading.block.next();
    if (!next.isValid()) continue;
    double firstLineBottom = document.documentLayout()->blockBoundingRect(next).top();
    if (const QTextLayout* layout = next.layout(); layout != nullptr && layout->lineCount() > 0) {
      firstLineBottom += layout->lineAt(0).y() + layout->lineAt(0).height();
    }
    const int page = PageOf(document, heading.block, geometry);
    if (static_cast<int>(firstLineBottom / geometry.pageHeight) == page) continue;
    QTextCursor cursor(heading.block);
    QTextBlockFormat format = heading.block.blockFormat();
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    format.setTopMargin(0);
    cursor.setBlockFormat(format);
  }
}

// Title block and table of contents; `pages` are the body pages of the headings.
std::unique_ptr<QTextDocument> FrontMatter(QPdfWriter& writer, const Geometry& geometry,
                                           const Source& source, const QString& version,
                                           const QList<Heading>& headings, const QList<int>& pages,
                                           int pageOffset) {
  auto document = NewDocument(writer, geometry);
  QTextCursor cursor(document.get());
  const auto paragraph = [&](const QString& text, const QFont& font, const QColor& colour,
                             double above, double below, bool first = false) {
    QTextBlockFormat block;
    block.setTopMargin(geometry.Px(above));
    block.setBottomMargin(geometry.Px(below));
    QTextCharFormat chars;
    chars.setFont(font);
    chars.setForeground(colour);
    if (first) {
      cursor.setBlockFormat(block);
      cursor.setBlockCharFormat(chars);
    } else {
      cursor.insertBlock(block, chars);
    }
    cursor.insertText(text, chars);
  };
  paragraph(source.Meta(QStringLiteral("program"), QStringLiteral("Norlath Measurement")),
            Font(kBodyFont, 26, true), kHeadingColour, 60, 6, true);
  paragraph(source.Meta(QStringLiteral("title")), Font(kBodyFont, 18), kHeadingColour, 0, 4);
  if (!source.Meta(QStringLiteral("subtitle")).isEmpty()) {
    paragraph(source.Meta(QStringLiteral("subtitle")), Font(kBodyFont, 12), kQuietText, 0, 4);
  }
  paragraph(QStringLiteral("Version ") + version, Font(kBodyFont, 12, true), Qt::black, 14, 4);
  {
    QTextBlockFormat rule;
    rule.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth,
                     QTextLength(QTextLength::PercentageLength, 100));
    rule.setTopMargin(geometry.Px(6));
    rule.setBottomMargin(geometry.Px(6));
    cursor.insertBlock(rule);
  }
  paragraph(source.Meta(QStringLiteral("licence"), QStringLiteral("GPL-3.0-or-later")),
            Font(kBodyFont, 9.5), Qt::black, 0, 2);
  if (!source.Meta(QStringLiteral("notice")).isEmpty()) {
    paragraph(source.Meta(QStringLiteral("notice")), Font(kBodyFont, 8.5), kQuietText, 0, 2);
  }
  paragraph(source.Meta(QStringLiteral("contents"), QStringLiteral("Contents")),
            Font(kBodyFont, 14, true), kHeadingColour, 40, 8);

  QList<const Heading*> listed;
  QList<int> listedPages;
  for (int i = 0; i < headings.size(); ++i) {
    if (headings[i].level <= 2) {
      listed.append(&headings[i]);
      listedPages.append(pages.value(i));
    }
  }
  if (listed.isEmpty()) return document;
  // Two columns, filled top to bottom: entry and page number in each, with a
  // narrow empty column between them.
  const int rows = static_cast<int>((listed.size() + 1) / 2);
  QTextTableFormat format;
  format.setBorder(0);
  format.setCellSpacing(0);
  format.setCellPadding(geometry.Px(1.2));
  format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
  format.setColumnWidthConstraints({QTextLength(QTextLength::PercentageLength, 43),
                                    QTextLength(QTextLength::PercentageLength, 5),
                                    QTextLength(QTextLength::PercentageLength, 4),
                                    QTextLength(QTextLength::PercentageLength, 43),
                                    QTextLength(QTextLength::PercentageLength, 5)});
  QTextTable* table = cursor.insertTable(rows, 5, format);
  for (int i = 0; i < listed.size(); ++i) {
    const int row = i % rows;
    const int column = i < rows ? 0 : 3;
    const bool chapter = listed[i]->level == 1;
    QTextCharFormat chars;
    chars.setFont(Font(kBodyFont, 9, chapter));
    QTextBlockFormat left;
    left.setLeftMargin(chapter ? 0 : geometry.Px(12));
    left.setTopMargin(chapter && row > 0 ? geometry.Px(4) : 0);
    QTextCursor cell = table->cellAt(row, column).firstCursorPosition();
    cell.setBlockFormat(left);
    cell.insertText(listed[i]->text, chars);
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    right.setTopMargin(left.topMargin());
    cell = table->cellAt(row, column + 1).firstCursorPosition();
    cell.setBlockFormat(right);
    cell.insertText(QString::number(listedPages[i] + pageOffset), chars);
  }
  return document;
}

void DrawPage(QPainter& painter, QTextDocument& document, int page, const Geometry& geometry) {
  painter.save();
  painter.translate(geometry.Mm(kMarginLeft), geometry.Mm(kMarginTop) - page * geometry.pageHeight);
  QAbstractTextDocumentLayout::PaintContext context;
  context.clip = QRectF(0, page * geometry.pageHeight, geometry.pageWidth, geometry.pageHeight);
  painter.setClipRect(context.clip);
  context.palette.setColor(QPalette::Text, Qt::black);
  document.documentLayout()->draw(&painter, context);
  painter.restore();
}

void DrawFooter(QPainter& painter, const Geometry& geometry, const QString& left,
                const QString& right) {
  painter.save();
  const double top = geometry.Mm(kMarginTop) + geometry.pageHeight + geometry.Mm(kFooterOffset);
  const double x = geometry.Mm(kMarginLeft);
  QPen pen(kRuleColour);
  pen.setWidthF(geometry.Pt(0.5));
  painter.setPen(pen);
  painter.drawLine(QPointF(x, top - geometry.Mm(4)),
                   QPointF(x + geometry.pageWidth, top - geometry.Mm(4)));
  painter.setPen(kQuietText);
  painter.setFont(Font(kBodyFont, 8));
  const QRectF box(x, top - geometry.Mm(3), geometry.pageWidth, geometry.Mm(6));
  painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, left);
  painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, right);
  painter.restore();
}

// Qt's notes about the missing desktop session are no news in a build.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtDebugMsg || type == QtInfoMsg) return;
  if (message.startsWith(QStringLiteral("QStandardPaths:"))) return;
  std::fprintf(stderr, "make_manual: %s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietMessages);
  QGuiApplication application(argc, argv);
  const QStringList arguments = QGuiApplication::arguments();
  if (arguments.size() < 4) {
    Fail(QStringLiteral("usage: make_manual INPUT.md OUTPUT.pdf VERSION [IMAGE_FOLDER...]"), 2);
  }
  const QString input = arguments[1];
  const QString output = arguments[2];
  const QString version = arguments[3];
  QStringList folders = {QFileInfo(input).absolutePath()};
  for (qsizetype i = 4; i < arguments.size(); ++i) {
    if (!arguments[i].isEmpty()) folders.append(arguments[i]);
  }

  const Source source = ReadSource(input);

  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  QPdfWriter writer(&pdf);
  writer.setResolution(kResolution);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  const QString program =
      source.Meta(QStringLiteral("program"), QStringLiteral("Norlath Measurement"));
  const QString title =
      source.Meta(QStringLiteral("title")).isEmpty()
          ? program
          : program + QStringLiteral(" – ") + source.Meta(QStringLiteral("title"));
  writer.setTitle(title);
  writer.setCreator(QStringLiteral("Norlath Measurement ") + version +
                    QStringLiteral(" make_manual"));

  Geometry geometry;
  geometry.pageWidth = geometry.Mm(210.0 - kMarginLeft - kMarginRight);
  geometry.pageHeight = geometry.Mm(297.0 - kMarginTop - kMarginBottom);

  auto body = NewDocument(writer, geometry);
  body->setMarkdown(source.markdown, QTextDocument::MarkdownDialectGitHub);
  StyleTables(*body, geometry);
  PlaceImages(*body, geometry, folders);
  const QList<Heading> headings = StyleBlocks(*body, geometry);
  StyleCode(*body, writer, geometry);
  KeepHeadingsWithText(*body, headings, geometry);
  QList<int> pages;
  for (const Heading& heading : headings)
    pages.append(PageOf(*body, heading.block, geometry));

  // The page count of the front matter does not depend on the numbers in it.
  const int frontPages =
      FrontMatter(writer, geometry, source, version, headings, pages, 0)->pageCount();
  auto front = FrontMatter(writer, geometry, source, version, headings, pages, frontPages + 1);
  const int total = front->pageCount() + body->pageCount();

  QPainter painter;
  if (!painter.begin(&writer)) Fail(QStringLiteral("cannot write %1").arg(output));
  const QString footer =
      source.Meta(QStringLiteral("footer"), title) + QStringLiteral(" · Version ") + version;
  const QString pageText = source.Meta(QStringLiteral("page"), QStringLiteral("Page %1 of %2"));
  int number = 0;
  for (QTextDocument* document : {front.get(), body.get()}) {
    for (int page = 0; page < document->pageCount(); ++page) {
      if (number > 0) writer.newPage();
      ++number;
      DrawPage(painter, *document, page, geometry);
      if (number > 1) {
        DrawFooter(painter, geometry, footer, pageText.arg(number).arg(total));
      }
    }
  }
  painter.end();

  QSaveFile file(output);
  if (!file.open(QIODevice::WriteOnly) || file.write(pdf.data()) != pdf.data().size() ||
      !file.commit()) {
    Fail(QStringLiteral("cannot write %1: %2").arg(output, file.errorString()));
  }
  return 0;
}
