// The delete command over the network: the three ways of removing segments (unlink, delete and
// renumber, delete and keep the numbering) applied to a range of table rows or to one segment,
// with the refreshes of the editor in the order the command runs them.
#pragma once

#include <cstdint>

namespace varnex {

class IEditorRete;

// The user's choice in the delete dialog.
enum TipoCancellazione : int16_t {
  Scollega = 1,  // detach from the parent, keep slot and subtree
  Elimina = 2,   // delete with the subtree, then drop empty slots and renumber
  Cancella = 3,  // delete with the subtree, slots stay as blank rows
};

// How many segments a delete (not an unlink) of the rows between `riga` and `rigaSel` removes:
// those rows and everything hanging from them, each counted once.
int16_t TronchiDaCancellare(int16_t riga, int16_t rigaSel);
// Before a delete that removes more than one segment, the user is asked, with the count: one
// click on segment 1 would otherwise empty the whole network. True to go on.
bool ConfermaCancellazione(int16_t tipo, int16_t riga, int16_t rigaSel);

// Segment 1 is where the network starts: unlinking it would leave the network empty while the
// table still showed every row. Refused on every path, with this message.
inline constexpr const char* MessaggioScollegaPrimo = "Non è possibile scollegare il primo tronco.";
bool ScollegaPrimoTronco(int16_t tipo, int16_t riga, int16_t rigaSel);

// The table path: rows between `riga` and `rigaSel` (either order) of network `indiceRete`.
// `editor` receives ResetGrid and Elaborazione. Returns false, having changed nothing, when the
// unlink of segment 1 is refused (the caller shows the message); true otherwise.
bool CancellaRighe(int16_t tipo, int16_t riga, int16_t rigaSel, int16_t indiceRete, IEditorRete& editor);

// The one-segment path. Returns false, having changed nothing, when the unlink of segment 1 is
// refused (the caller shows the message); true otherwise.
bool CancellaTronco(int16_t tipo, int16_t seg, int16_t indiceRete, IEditorRete& editor);

}  // namespace varnex
