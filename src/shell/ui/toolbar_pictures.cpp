#include "shell/ui/toolbar_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace varnex::ui {

namespace {

enum class Aspetto { Normale, Premuto, Disabilitato };

QPixmap Tela() {
  QPixmap p(LatoFigura, LatoFigura);
  p.fill(Qt::transparent);
  return p;
}

void Calcolatrice(QPainter& g) {
  g.setPen(QPen(QColor(40, 40, 40), 1));
  g.setBrush(QColor(230, 230, 210));
  g.drawRoundedRect(QRectF(5, 2, 14, 20), 2, 2);
  g.setBrush(QColor(120, 170, 120));
  g.drawRect(QRectF(7, 4, 10, 5));
  g.setBrush(QColor(80, 80, 80));
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) g.drawRect(QRectF(7 + c * 3.5, 11 + r * 3.5, 2, 2));
}

void FrecciaCircolare(QPainter& g, const QRectF& r, const QColor& colore) {
  g.setPen(QPen(colore, 2));
  g.setBrush(Qt::NoBrush);
  g.drawArc(r, 30 * 16, 280 * 16);
  const QPointF punta(r.right() - 1, r.center().y() - r.height() * 0.25);
  QPainterPath freccia;
  freccia.moveTo(punta + QPointF(-4, -3));
  freccia.lineTo(punta + QPointF(2, 1));
  freccia.lineTo(punta + QPointF(-3, 3));
  g.setBrush(colore);
  g.setPen(Qt::NoPen);
  g.drawPath(freccia);
}

void Cursore(QPainter& g) {
  QPainterPath p;
  p.moveTo(6, 3);
  p.lineTo(6, 19);
  p.lineTo(10, 15);
  p.lineTo(13, 21);
  p.lineTo(15, 20);
  p.lineTo(12, 14);
  p.lineTo(17, 14);
  p.closeSubpath();
  g.setPen(QPen(Qt::black, 1));
  g.setBrush(Qt::white);
  g.drawPath(p);
}

void Lucchetto(QPainter& g, bool chiuso) {
  g.setPen(QPen(QColor(90, 90, 90), 2.5));
  g.setBrush(Qt::NoBrush);
  if (chiuso)
    g.drawArc(QRectF(7, 3, 10, 12), 0, 180 * 16);
  else
    g.drawArc(QRectF(12, 1, 10, 12), 0, 180 * 16);
  if (chiuso) {
    g.drawLine(QPointF(7, 9), QPointF(7, 11));
    g.drawLine(QPointF(17, 9), QPointF(17, 11));
  } else {
    g.drawLine(QPointF(22, 7), QPointF(22, 11));
  }
  g.setPen(QPen(QColor(120, 90, 0), 1));
  g.setBrush(QColor(220, 180, 40));
  g.drawRoundedRect(QRectF(4, 11, 16, 11), 2, 2);
  g.setBrush(Qt::black);
  g.drawEllipse(QPointF(12, 15.5), 1.6, 1.6);
  g.drawRect(QRectF(11.4, 16, 1.2, 3.5));
}

void Foglio(QPainter& g) {
  g.setPen(QPen(QColor(60, 60, 60), 1));
  g.setBrush(Qt::white);
  g.drawRect(QRectF(4, 2, 13, 18));
  g.setPen(QPen(QColor(70, 100, 180), 1));
  for (int i = 0; i < 4; ++i) g.drawLine(QPointF(6, 6 + i * 3.5), QPointF(15, 6 + i * 3.5));
}

void Ingranaggio(QPainter& g, const QPointF& c, double r) {
  g.setPen(QPen(QColor(50, 50, 50), 1));
  g.setBrush(QColor(150, 150, 160));
  QPainterPath p;
  for (int i = 0; i < 16; ++i) {
    const double a = i * 3.14159265358979 / 8;
    const double rr = (i % 2 == 0) ? r : r * 0.72;
    const QPointF q(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
    if (i == 0)
      p.moveTo(q);
    else
      p.lineTo(q);
  }
  p.closeSubpath();
  g.drawPath(p);
  g.setBrush(Qt::white);
  g.drawEllipse(c, r * 0.3, r * 0.3);
}

void Disegna(QPainter& g, Immagine f) {
  switch (f) {
    case Immagine::ImageCalc:
    case Immagine::ImageCalcDis:
      Calcolatrice(g);
      break;
    case Immagine::ImageCalcAuto:
    case Immagine::ImageCalcAutoSel:
    case Immagine::ImageCalcAutoDis:
      Calcolatrice(g);
      FrecciaCircolare(g, QRectF(12, 12, 10, 10), QColor(0, 110, 200));
      break;
    case Immagine::ImageCurs:
    case Immagine::ImageCursSel:
    case Immagine::ImageBlocCursDis:
      Cursore(g);
      g.setPen(QPen(QColor(180, 0, 0), 1.5));
      g.drawLine(QPointF(15, 5), QPointF(21, 5));
      g.drawLine(QPointF(18, 2), QPointF(18, 8));
      break;
    case Immagine::ImgLockOpen:
    case Immagine::ImageLockOpDis:
      Lucchetto(g, false);
      break;
    case Immagine::ImgLockClosed:
    case Immagine::ImageLockClsDis:
      Lucchetto(g, true);
      break;
    case Immagine::imgParam:
    case Immagine::imgParamDis:
      Foglio(g);
      Ingranaggio(g, QPointF(17, 17), 6);
      break;
    case Immagine::ImageRefresh:
    case Immagine::ImageRefreshDis:
      g.setPen(QPen(QColor(40, 40, 40), 1));
      g.drawLine(QPointF(4, 18), QPointF(10, 18));
      g.drawLine(QPointF(10, 18), QPointF(10, 10));
      g.drawLine(QPointF(10, 10), QPointF(18, 10));
      FrecciaCircolare(g, QRectF(5, 3, 15, 15), QColor(0, 140, 60));
      break;
    case Immagine::Nessuna:
      break;
  }
}

Aspetto AspettoDi(Immagine f) {
  switch (f) {
    case Immagine::ImageCalcDis:
    case Immagine::ImageCalcAutoDis:
    case Immagine::ImageBlocCursDis:
    case Immagine::ImageLockOpDis:
    case Immagine::ImageLockClsDis:
    case Immagine::imgParamDis:
    case Immagine::ImageRefreshDis:
      return Aspetto::Disabilitato;
    case Immagine::ImageCalcAutoSel:
    case Immagine::ImageCursSel:
      return Aspetto::Premuto;
    default:
      return Aspetto::Normale;
  }
}

QPixmap Grigio(const QPixmap& p) {
  QImage img = p.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = img.pixelColor(x, y);
      const int v = 150 + qGray(c.rgb()) * 90 / 255;
      img.setPixelColor(x, y, QColor(v, v, v, c.alpha()));
    }
  return QPixmap::fromImage(img);
}

}  // namespace

QPixmap FiguraBarra(Immagine figura) {
  QPixmap p = Tela();
  {
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    if (AspettoDi(figura) == Aspetto::Premuto) {
      // The toggle that is on looks pressed in.
      g.setPen(QPen(QColor(90, 90, 90), 1));
      g.setBrush(QColor(190, 215, 245));
      g.drawRect(QRectF(0.5, 0.5, LatoFigura - 1, LatoFigura - 1));
    }
    Disegna(g, figura);
  }
  return AspettoDi(figura) == Aspetto::Disabilitato ? Grigio(p) : p;
}

QPixmap FiguraComandoFile(FiguraFile figura) {
  QPixmap p = Tela();
  QPainter g(&p);
  g.setRenderHint(QPainter::Antialiasing);
  switch (figura) {
    case FiguraFile::Nuovo:
      Foglio(g);
      g.setPen(QPen(QColor(230, 170, 0), 2));
      g.drawLine(QPointF(18, 14), QPointF(18, 22));
      g.drawLine(QPointF(14, 18), QPointF(22, 18));
      break;
    case FiguraFile::Apri:
      g.setPen(QPen(QColor(120, 90, 20), 1));
      g.setBrush(QColor(240, 200, 90));
      g.drawRect(QRectF(2, 7, 18, 13));
      g.setBrush(QColor(250, 225, 130));
      g.drawPolygon(QPolygonF({QPointF(5, 11), QPointF(23, 11), QPointF(19, 20), QPointF(2, 20)}));
      break;
    case FiguraFile::Salva:
      g.setPen(QPen(QColor(20, 20, 60), 1));
      g.setBrush(QColor(60, 80, 160));
      g.drawRect(QRectF(3, 3, 18, 18));
      g.setBrush(Qt::white);
      g.drawRect(QRectF(6, 3, 12, 7));
      g.setBrush(QColor(200, 200, 200));
      g.drawRect(QRectF(7, 14, 10, 7));
      break;
    case FiguraFile::Stampa:
      g.setPen(QPen(QColor(50, 50, 50), 1));
      g.setBrush(Qt::white);
      g.drawRect(QRectF(7, 2, 10, 8));
      g.setBrush(QColor(170, 170, 170));
      g.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2);
      g.setBrush(Qt::white);
      g.drawRect(QRectF(7, 15, 10, 7));
      break;
    case FiguraFile::Parametri:
      Foglio(g);
      g.setPen(QPen(QColor(0, 120, 0), 2));
      g.drawLine(QPointF(12, 18), QPointF(15, 21));
      g.drawLine(QPointF(15, 21), QPointF(22, 12));
      break;
    case FiguraFile::Gas: {
      QPainterPath fiamma;
      fiamma.moveTo(12, 22);
      fiamma.cubicTo(4, 20, 5, 11, 12, 2);
      fiamma.cubicTo(19, 11, 20, 20, 12, 22);
      g.setPen(QPen(QColor(0, 60, 160), 1));
      g.setBrush(QColor(60, 130, 240));
      g.drawPath(fiamma);
      g.setBrush(QColor(170, 210, 255));
      g.drawEllipse(QPointF(12, 17), 3, 4);
      break;
    }
    case FiguraFile::Guida:
      g.setPen(QPen(QColor(0, 60, 140), 1));
      g.setBrush(QColor(80, 140, 220));
      g.drawEllipse(QRectF(2, 2, 20, 20));
      g.setPen(Qt::white);
      g.setFont(QFont(QStringLiteral("Sans"), 12, QFont::Bold));
      g.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, QStringLiteral("?"));
      break;
    case FiguraFile::Esci:
      g.setPen(QPen(QColor(90, 50, 20), 1));
      g.setBrush(QColor(160, 110, 60));
      g.drawRect(QRectF(4, 2, 12, 20));
      g.setBrush(QColor(200, 30, 30));
      g.setPen(Qt::NoPen);
      g.drawPolygon(QPolygonF({QPointF(13, 8), QPointF(22, 12), QPointF(13, 16)}));
      break;
    case FiguraFile::Cancella:
      g.setPen(QPen(QColor(200, 20, 20), 3));
      g.drawLine(QPointF(5, 5), QPointF(19, 19));
      g.drawLine(QPointF(19, 5), QPointF(5, 19));
      break;
    case FiguraFile::ConfermaGas:
      g.setPen(QPen(QColor(0, 130, 0), 2.5));
      g.drawLine(QPointF(5, 12), QPointF(10, 18));
      g.drawLine(QPointF(10, 18), QPointF(19, 6));
      break;
  }
  return p;
}

QPixmap FiguraComponente(FiguraPalette figura, int lato) {
  QPixmap p(lato, lato);
  p.fill(Qt::transparent);
  QPainter g(&p);
  g.setRenderHint(QPainter::Antialiasing);
  g.scale(lato / 32.0, lato / 32.0);
  DisegnaComponente(g, figura);
  return p;
}

void DisegnaComponente(QPainter& g, FiguraPalette figura) {
  g.save();
  g.setPen(QPen(Qt::black, 1));
  g.setBrush(Qt::NoBrush);
  // The letters of a picture are sized in its own 32 units, so that they grow with it.
  auto lettere = [&](int pixel) {
    QFont f(QStringLiteral("Sans"));
    f.setPixelSize(pixel);
    g.setFont(f);
  };
  switch (figura) {
    case FiguraPalette::Tronco:
      g.setPen(QPen(QColor(60, 60, 60), 4));
      g.drawLine(QPointF(3, 16), QPointF(29, 16));
      break;
    case FiguraPalette::Caldaia:
    case FiguraPalette::UtenzaPressione:
      g.setBrush(figura == FiguraPalette::Caldaia ? QColor(240, 240, 240) : QColor(200, 220, 240));
      g.drawRect(QRectF(7, 3, 18, 26));
      g.setBrush(QColor(240, 120, 30));
      g.drawEllipse(QRectF(12, 15, 8, 10));
      if (figura == FiguraPalette::UtenzaPressione) {
        g.setPen(QPen(QColor(0, 60, 140), 1.5));
        lettere(11);
        g.drawText(QRectF(7, 3, 18, 12), Qt::AlignCenter, QStringLiteral("P"));
      }
      break;
    case FiguraPalette::Fornello:
      g.setBrush(QColor(230, 230, 230));
      g.drawRect(QRectF(3, 10, 26, 18));
      g.setBrush(QColor(60, 60, 60));
      g.drawEllipse(QRectF(6, 12, 8, 5));
      g.drawEllipse(QRectF(18, 12, 8, 5));
      g.drawEllipse(QRectF(6, 20, 8, 5));
      g.drawEllipse(QRectF(18, 20, 8, 5));
      break;
    case FiguraPalette::Bruciatore:
      g.setBrush(QColor(150, 150, 160));
      g.drawRect(QRectF(3, 12, 16, 12));
      g.setBrush(QColor(240, 90, 20));
      g.drawPolygon(QPolygonF({QPointF(19, 14), QPointF(30, 18), QPointF(19, 22)}));
      break;
    case FiguraPalette::Convettore:
      g.setBrush(QColor(235, 235, 235));
      g.drawRect(QRectF(3, 6, 26, 20));
      for (int i = 0; i < 5; ++i) g.drawLine(QPointF(7 + i * 4.5, 9), QPointF(7 + i * 4.5, 23));
      break;
    case FiguraPalette::Contatore:
      g.setBrush(QColor(210, 210, 190));
      g.drawRect(QRectF(4, 4, 24, 24));
      g.setBrush(Qt::white);
      g.drawRect(QRectF(8, 9, 16, 6));
      lettere(5);
      g.drawText(QRectF(8, 9, 16, 6), Qt::AlignCenter, QStringLiteral("0123"));
      break;
    case FiguraPalette::Manometro:
      g.setBrush(Qt::white);
      g.drawEllipse(QRectF(4, 4, 24, 24));
      g.setPen(QPen(QColor(200, 0, 0), 2));
      g.drawLine(QPointF(16, 16), QPointF(23, 10));
      g.setPen(QPen(Qt::black, 1));
      for (int i = 0; i < 7; ++i) {
        const double a = (200 - i * 37) * 3.14159265358979 / 180;
        g.drawLine(QPointF(16 + 9 * std::cos(a), 16 - 9 * std::sin(a)), QPointF(16 + 11 * std::cos(a), 16 - 11 * std::sin(a)));
      }
      break;
  }
  g.restore();
}

}  // namespace varnex::ui
