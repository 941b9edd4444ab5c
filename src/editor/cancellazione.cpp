#include "editor/cancellazione.h"

#include <algorithm>
#include <array>
#include <string>

#include "model/interaction.h"
#include "model/rete.h"

namespace varnex {

namespace {

// The deleted mark comes straight off again after an unlink: the branch stays in its slots,
// detached, ready to be attached again from the table.
void TogliMarcaEliminato(int16_t indiceRete, int16_t seg) {
  if (indiceRete < 0 || indiceRete > 1 || seg < 0 || seg > MaxTronchi) return;
  BloccoReti[static_cast<size_t>(indiceRete)].Tronchi[static_cast<size_t>(seg)].Eliminato = 0;
}

}  // namespace

int16_t TronchiDaCancellare(int16_t riga, int16_t rigaSel) {
  std::array<bool, MaxTronchi + 1> contati{};
  int16_t n = 0;
  const int16_t prima = std::max<int16_t>(std::min(riga, rigaSel), 1);
  const int16_t ultima = std::min<int16_t>(std::max(riga, rigaSel), ContoTronchi());
  for (int16_t i = prima; i <= ultima; ++i) {
    if (Tronco(i).Eliminato != 0) continue;
    for (int16_t s : SottoalberoTronco(i)) {
      if (contati[static_cast<size_t>(s)] || Tronco(s).Eliminato != 0) continue;
      contati[static_cast<size_t>(s)] = true;
      ++n;
    }
  }
  return n;
}

bool ConfermaCancellazione(int16_t tipo, int16_t riga, int16_t rigaSel) {
  if (tipo != Elimina && tipo != Cancella) return true;
  const int16_t n = TronchiDaCancellare(riga, rigaSel);
  if (n <= 1) return true;
  return MsgBox("Verranno cancellati definitivamente " + std::to_string(n) +
                    " tronchi: quelli selezionati e tutti i tronchi derivati.\r\nProcedere?",
                Bottoni::SiNo, Icona::Domanda, "Cancellazione tronchi") == Risposta::Si;
}

bool ScollegaPrimoTronco(int16_t tipo, int16_t riga, int16_t rigaSel) {
  return tipo == Scollega && std::min(riga, rigaSel) <= 1 && std::max(riga, rigaSel) >= 1;
}

bool CancellaRighe(int16_t tipo, int16_t riga, int16_t rigaSel, int16_t indiceRete, IEditorRete& editor) {
  if (ScollegaPrimoTronco(tipo, riga, rigaSel)) return false;
  const int16_t prima = std::min(riga, rigaSel);
  // The table may hold one row past the last slot; no segment lives there.
  const int16_t ultima = std::min<int16_t>(std::max(riga, rigaSel), MaxTronchi);
  for (int16_t i = prima; i <= ultima; ++i) {
    switch (tipo) {
      case Scollega:
        ScollegaTronco(i);
        TogliMarcaEliminato(indiceRete, i);
        break;
      case Elimina:
        EliminaTronco(i);
        editor.Elaborazione();
        break;
      case Cancella:
        EliminaTronco(i);
        break;
      default:
        break;
    }
  }
  switch (tipo) {
    case Scollega:
      editor.Elaborazione();
      break;
    case Elimina:
      EliminaTronchiVuoti();
      CompattaTronchi();
      editor.ResetGrid();
      editor.Elaborazione();
      break;
    case Cancella:
      editor.ResetGrid();
      editor.Elaborazione();
      break;
    default:
      break;
  }
  return true;
}

bool CancellaTronco(int16_t tipo, int16_t seg, int16_t indiceRete, IEditorRete& editor) {
  switch (tipo) {
    case Cancella:
      EliminaTronco(seg);
      editor.ResetGrid();
      editor.Elaborazione();
      return true;
    case Elimina:
      EliminaTronco(seg);
      EliminaTronchiVuoti();
      CompattaTronchi();
      editor.ResetGrid();
      editor.Elaborazione();
      return true;
    case Scollega:
      if (ScollegaPrimoTronco(tipo, seg, seg)) return false;
      ScollegaTronco(seg);
      TogliMarcaEliminato(indiceRete, seg);
      editor.Elaborazione();
      return true;
    default:
      return true;
  }
}

}  // namespace varnex
