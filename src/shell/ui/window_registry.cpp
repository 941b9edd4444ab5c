#include "shell/ui/window_registry.h"

#include <QVariant>

namespace varnex::ui {
namespace {
const char* const ProprietaTag = "varnexTag";
}  // namespace

RegistroFinestre& RegistroFinestre::Istanza() {
  static RegistroFinestre registro;
  return registro;
}

void RegistroFinestre::Registra(QWidget* finestra, const QString& tag) {
  if (!finestra) return;
  if (!tag.isNull()) ImpostaTag(finestra, tag);
  if (!Contiene(finestra)) finestre_.append(QPointer<QWidget>(finestra));
}

void RegistroFinestre::ImpostaTag(QWidget* finestra, const QString& tag) {
  if (finestra) finestra->setProperty(ProprietaTag, tag);
}

QString RegistroFinestre::Tag(const QWidget* finestra) {
  return finestra ? finestra->property(ProprietaTag).toString() : QString();
}

QList<QWidget*> RegistroFinestre::Finestre() const {
  finestre_.removeAll(QPointer<QWidget>());
  QList<QWidget*> vive;
  for (const auto& f : finestre_)
    if (f) vive.append(f.data());
  return vive;
}

bool RegistroFinestre::Contiene(const QWidget* finestra) const {
  for (const auto& f : finestre_)
    if (f && f.data() == finestra) return true;
  return false;
}

void RegistroFinestre::ScaricaTutte() {
  // A window closed here may destroy others: keep guarded pointers while walking.
  const QList<QWidget*> elenco = Finestre();
  QList<QPointer<QWidget>> guardate;
  for (QWidget* f : elenco) guardate.append(QPointer<QWidget>(f));
  for (const auto& f : guardate)
    if (f) f->close();
}

void RegistroFinestre::NascondiSecondarie() {
  const QList<QWidget*> elenco = Finestre();
  for (QWidget* f : elenco)
    if (Tag(f).toUpper() != QStringLiteral("X") && !f->isMinimized()) f->hide();
}

void RegistraFinestra(QWidget* finestra, const QString& tag) { RegistroFinestre::Istanza().Registra(finestra, tag); }

}  // namespace varnex::ui
