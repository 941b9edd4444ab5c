// The words of a PDF as pdftotext places them on its pages, for tests that read a printed page
// back. Header-only, as the other window-test support.
#pragma once

#include <QFile>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <string>
#include <vector>

namespace varnex::test {

struct ParolaPdf {
  std::string testo;
  int pagina = 0;  // from 1
  QRectF box;      // in points from the page's top left corner
};

// True when this machine has no pdftotext (scripts/setup installs it). A test that reads words
// back checks this once at its start and skips; past that point a PDF with no words is a fault.
inline bool PdftotextManca() { return QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(); }

// Empty when pdftotext is missing; `html` is where its word list is written.
inline std::vector<ParolaPdf> ParolePdf(const std::string& pdf, const std::string& html) {
  std::vector<ParolaPdf> parole;
  const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
  if (tool.isEmpty()) return parole;
  QProcess::execute(tool, {QStringLiteral("-bbox"), QString::fromStdString(pdf), QString::fromStdString(html)});
  QFile file(QString::fromStdString(html));
  if (!file.open(QIODevice::ReadOnly)) return parole;
  const QRegularExpression re(QStringLiteral(
      "<page |<word xMin=\"([-0-9.]+)\" yMin=\"([-0-9.]+)\" xMax=\"([-0-9.]+)\" yMax=\"([-0-9.]+)\">([^<]*)</word>"));
  int pagina = 0;
  for (auto it = re.globalMatch(QString::fromUtf8(file.readAll())); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    if (m.captured(0).startsWith(QStringLiteral("<page"))) {
      ++pagina;
      continue;
    }
    QString parola = m.captured(5);
    parola.replace(QStringLiteral("&quot;"), QStringLiteral("\"")).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    parole.push_back({parola.toStdString(), pagina,
                      QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
  }
  return parole;
}

}  // namespace varnex::test
