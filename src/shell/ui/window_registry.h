// Every window of the program, in the order it was loaded: what closing the program unloads one
// by one, and what the main window hides while it is minimised.
#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace varnex::ui {

class RegistroFinestre {
 public:
  static RegistroFinestre& Istanza();

  // Adds a window (once); it leaves the registry by itself when destroyed. The tag is the
  // window's mark for the minimise rule ("X" for the main and editor windows).
  void Registra(QWidget* finestra, const QString& tag = {});
  void ImpostaTag(QWidget* finestra, const QString& tag);
  static QString Tag(const QWidget* finestra);

  // The windows still alive, in load order.
  QList<QWidget*> Finestre() const;
  bool Contiene(const QWidget* finestra) const;

  // Closes every window, in load order (a window made to be destroyed on close is destroyed).
  void ScaricaTutte();
  // Hides every window whose tag in upper case is not "X" and that is not minimised itself.
  void NascondiSecondarie();

 private:
  mutable QList<QPointer<QWidget>> finestre_;
};

// Shorthand for RegistroFinestre::Istanza().Registra.
void RegistraFinestra(QWidget* finestra, const QString& tag = {});

}  // namespace varnex::ui
