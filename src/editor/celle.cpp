#include "editor/celle.h"

#include <algorithm>
#include <cmath>

#include "editor/ptronchi.h"
#include "editor/tabella.h"
#include "model/calcolo.h"
#include "model/campi.h"
#include "model/colonne.h"
#include "model/globals.h"
#include "model/helpers.h"
#include "model/interaction.h"
#include "model/materiali.h"
#include "model/numbers.h"
#include "model/strings.h"
#include "model/valori_digitati.h"
#include "shell/stato_interfaccia.h"

namespace varnex {

namespace {

// A table row that has a segment slot behind it. The table may hold a row past the last slot
// (the entry row after a full network), which no edit may reach.
bool IsSlot(int16_t riga) { return riga >= 1 && riga <= MaxTronchi; }

int16_t Derivazioni(int16_t slot) {
  const TTronco& t = Tronco(slot);
  return static_cast<int16_t>((t.ID_LEFT != 0 ? 1 : 0) + (t.ID_RIGHT != 0 ? 1 : 0));
}

int Arrotonda(double x) { return static_cast<int>(ArrotondaPari(x)); }

// A whole number for a link, kept inside the 16-bit range.
int16_t Intero16(double x) {
  const double r = ArrotondaPari(x);
  if (!(r == r)) return 0;
  return static_cast<int16_t>(std::clamp(r, -32768.0, 32767.0));
}

// A row that is not a segment yet: the entry row below the last segment, or a row a delete left
// blank. A parent typed there is only noted until the row becomes a segment.
bool NonAncoraTronco(int16_t riga) { return riga > ContoTronchi() || SlotVuoto(riga); }

// A parent a segment can take: an existing segment of the network, not a row still to be made.
bool TroncoEsistente(int16_t slot) { return IsSlotValido(slot) && !SlotVuoto(slot); }

}  // namespace

std::string AvvisoRigaNonTronco(int16_t riga) {
  const std::string n = std::to_string(riga);
  if (riga == ContoTronchi() + 1 && IsSlot(riga))
    return "Invio sull'ultima colonna crea il tronco " + n + ".";
  if (SlotVuoto(riga) && Tronco(riga).ID_PREV != 0)
    return "Invio sull'ultima colonna crea il tronco " + n + " sotto il " + std::to_string(Tronco(riga).ID_PREV) + ".";
  return {};
}

double NumeroDigitato(const std::string& testo) { return Val(testo); }

std::string RifiutoNumeroCella(int16_t codice, const std::string& testo) {
  const char* nome = nullptr;
  switch (codice) {
    case campo::ID_P_UTENZE: nome = "la portata dell'utenza"; break;
    case campo::ID_LEN: nome = "la lunghezza"; break;
    case campo::ID_EQ_LEN: nome = "la lunghezza equivalente"; break;
    case campo::ID_CONTEMP: nome = "la contemporaneita'"; break;
    case campo::ID_PREV: nome = "il tronco di provenienza"; break;
    default: return {};
  }
  // The parent column answers a negative number with its own message.
  return RifiutoNumero(nome, testo, codice == campo::ID_PREV);
}

PosizioneEditor PosizionaEditor(const AreaTwips& cella, int larghezzaPulsante, bool conPulsante) {
  PosizioneEditor p;
  const double h = cella.Altezza;
  p.Editor = {cella.Sinistra, Arrotonda(cella.Alto + h / 7.0), cella.Larghezza, Arrotonda(h / 2.0 + h / 4.0)};
  p.Pulsante = {cella.Sinistra + cella.Larghezza - larghezzaPulsante, cella.Alto, larghezzaPulsante, cella.Altezza};
  if (conPulsante) p.Editor.Larghezza = std::max(0, p.Editor.Larghezza - larghezzaPulsante);
  return p;
}

ModificaCelle::ModificaCelle(IVistaCelle& vista, const int16_t& layout) : v_(vista), layout_(layout) {}

int16_t ModificaCelle::CodiceColonna(int16_t colonna) const {
  if (layout_ < 0 || layout_ >= NumLayoutGriglia || colonna < 0 || colonna >= MaxColonneGriglia) return 0;
  return ColonneGriglia[static_cast<size_t>(layout_)][static_cast<size_t>(colonna)].IdCampo;
}

bool ModificaCelle::SolaLettura(int16_t colonna) const {
  if (layout_ < 0 || layout_ >= NumLayoutGriglia || colonna < 0 || colonna >= MaxColonneGriglia) return true;
  // Every non-zero flag is read-only, as the table shows such a column in blue.
  return ColonneGriglia[static_cast<size_t>(layout_)][static_cast<size_t>(colonna)].SolaLettura != 0;
}

int16_t ModificaCelle::UltimaColonna() const {
  if (layout_ < 0 || layout_ >= NumLayoutGriglia) return 0;
  return UltimaColonnaGriglia[static_cast<size_t>(layout_)];
}

// ---- Opening an editor ----------------------------------------------------------------------

void ModificaCelle::GridEditing(const std::string& testo) {
  std::string s = testo;
  const int16_t c = v_.Col(), r = v_.Row();
  const int16_t codice = CodiceColonna(c);
  // A key that opens no editor says why, once, in the status panel: the user would otherwise type
  // on and lose every key.
  const bool digitato = IsNotControlChar(s);
  if (c < 1 || r < 1) return;
  if (SolaLettura(c)) {
    if (digitato) v_.TestoStato("Questa colonna mostra un risultato del calcolo e non si modifica.");
    return;
  }
  if (!IsSlot(r)) {
    // The row after the 200th slot: a full network takes a new segment only in a row a delete
    // left blank.
    if (digitato)
      v_.TestoStato(PostoPerNuovoTronco()
                        ? "Raggiunto il massimo numero di tronchi: il nuovo tronco si scrive in una riga vuota."
                        : "Raggiunto il massimo numero di tronchi.");
    return;
  }
  // Rows below the entry row hold no segment and cannot become one: what was typed there was
  // lost, and Enter made segments of every row above it.
  if (r > Rete().NumTronchi + 1) {
    if (digitato)
      v_.TestoStato("Il nuovo tronco si scrive nella riga " + std::to_string(Rete().NumTronchi + 1) +
                    ", la prima vuota: le righe sotto non contengono tronchi.");
    return;
  }
  RigaInModifica = r;
  ColonnaInModifica = c;
  TestoOriginale = v_.TextMatrix(r, c);

  if (codice == campo::ID_P_UTENZE) {
    // Only an end segment, or one that still carries an own flow, has an appliance to type.
    if (NumeroCampo(GetField(r, campo::ID_P_UTENZE)) == 0 && Derivazioni(r) != 0) return;
  }

  if (codice == campo::ID_MATERIALE) {
    StatoEditazione = 2;
    SelectDefaultMaterial();
    v_.MostraLista();
    const TTronco& t = Tronco(r);
    if (t.IndiceMateriale > 0 && t.IndiceMateriale <= v_.NumeroVoci() + 1) {
      for (int k = 0; k < v_.NumeroVoci(); ++k)
        if (v_.TestoVoce(k) == t.ID_MATERIALE) v_.SelezionaVoce(k);
    }
    if (r == Rete().NumTronchi + 1 && r != 1) {
      const std::string& precedente = Tronco(static_cast<int16_t>(r - 1)).ID_MATERIALE;
      for (int k = 0; k < v_.NumeroVoci(); ++k)
        if (v_.TestoVoce(k) == precedente) v_.SelezionaVoce(k);
    }
    v_.FocusLista();
    return;
  }

  if (codice == campo::ID_DIAMETRO) {
    v_.SetCellBackColor(r, c, colore::Bianco);
    ColonnaDiametro = c;
    RigaDiametro = r;
  }

  if (IsNotControlChar(s)) {
    v_.SetTextMatrix(r, c, s);
    v_.ImpostaTestoEditor(s, false);
  } else {
    s = v_.TextMatrix(r, c);
    v_.ImpostaTestoEditor(s, true);
  }

  const PosizioneEditor posto =
      PosizionaEditor(v_.RettangoloCella(), v_.LarghezzaPulsante(), codice == campo::ID_DIAMETRO);
  if (codice != campo::ID_P_UTENZE) {
    if (codice == campo::ID_DIAMETRO) {
      v_.MostraPulsante(posto.Pulsante);
      v_.Lucchetto(Tronco(r).ID_DIAMCUSTOM != 0);
    } else {
      v_.NascondiPulsante();
    }
  }
  v_.MostraEditor(posto.Editor);
  v_.FocusEditor();
  // The cell's own text put into the editor is no edit; a typed key that opened it is, and a click
  // elsewhere must store it as it stores any later key (the cell already shows it).
  EditorModificato = IsNotControlChar(testo);
  StatoEditazione = 2;
}

void ModificaCelle::SelectDefaultMaterial() {
  for (int k = 0; k < v_.NumeroVoci(); ++k)
    if (v_.TestoVoce(k) == DefaultMateriale) {
      v_.SelezionaVoce(k);
      return;
    }
  if (v_.NumeroVoci() > 0) v_.SelezionaVoce(0);
}

void ModificaCelle::Text1_Change() { EditorModificato = true; }

void ModificaCelle::Text1_KeyUp() {
  if (v_.Row() >= 1 && v_.Col() >= 1) v_.SetTextMatrix(v_.Row(), v_.Col(), v_.TestoEditor());
}

void ModificaCelle::Combo1_Click() {
  StatoEditazione = 2;
  std::string nome = v_.VoceScelta();
  const int16_t m = CercaMateriale(nome);
  if (m > 0) v_.TestoStato(Materiali[static_cast<size_t>(m)][0].Descrizione);
}

// ---- Commits --------------------------------------------------------------------------------

bool ModificaCelle::SaveGridCell(std::optional<std::pair<int16_t, int16_t>> cella) {
  int16_t prima = 0, ultima = 0, rigaPrima = 0, colonnaPrima = 0;
  if (cella) {
    rigaPrima = v_.Row();
    colonnaPrima = v_.Col();
    prima = ultima = cella->first;
    v_.SetRowCol(cella->first, cella->second);
  } else {
    // A selection dragged upward holds the same rows as one dragged downward.
    const int16_t a = v_.Row(), b = v_.RowSel();
    const SelezioneRighe s = LimitaSelezione(std::min(a, b), std::max(a, b), ContoTronchi());
    prima = s.Prima;
    ultima = s.Ultima;
  }
  const int16_t codice = CodiceColonna(v_.Col());
  const std::string digitato = v_.TestoEditor();
  // "," is a decimal point in numbers and in the labels of the pipe series ("28x1.5"); the free
  // text of a reference keeps its commas.
  v_.SetTextMatrix(v_.Row(), v_.Col(), codice == campo::ID_RIF ? digitato : CommaToDot(digitato));
  // A value that cannot be right is never stored: a length of "abc" read as 0 m, or a negative
  // one, would size the network on a pipe that does not exist. The message quotes it as typed.
  if (const std::string rifiuto = RifiutoNumeroCella(codice, digitato); !rifiuto.empty()) {
    MsgBox(rifiuto, Bottoni::OK, Icona::Esclamazione);
    RipristinaCella();
    if (cella) v_.SetRowCol(rigaPrima, colonnaPrima);
    return false;
  }
  if (codice == campo::ID_PREV && !ProvenienzaAccettata(prima, ultima, digitato)) {
    RipristinaCella();
    if (cella) v_.SetRowCol(rigaPrima, colonnaPrima);
    return false;
  }
  // A parent the rules refuse ends the commit after its own message; the value was not refused
  // as a number, so the keys move on as they always did.
  for (int16_t i = prima; i <= ultima; ++i) {
    const EsitoRiga esito = SalvaRiga(i, codice);
    if (esito == EsitoRiga::Fine) return true;
    if (esito == EsitoRiga::Rifiuto) {
      RipristinaCella();
      if (cella) v_.SetRowCol(rigaPrima, colonnaPrima);
      return false;
    }
  }
  MostraValoriSalvati(prima, ultima);
  ProgettoModificato = -1;
  if (RicalcoloAutomatico) v_.Elaborazione();
  if (cella) v_.SetRowCol(rigaPrima, colonnaPrima);
  return true;
}

namespace {

// Whether segment `seg` hangs below segment `antenato`, walking the parents up (a loop left by an
// older file ends the walk).
bool DiscendeDa(int16_t seg, int16_t antenato) {
  for (int passi = 0; IsSlot(seg) && passi <= MaxTronchi; ++passi) {
    const int16_t padre = Tronco(seg).ID_PREV;
    if (padre == antenato) return true;
    if (padre == 0 || padre == seg) return false;
    seg = padre;
  }
  return false;
}

// "2-6, 9": the rows of a message, runs of consecutive numbers joined.
std::string ElencoRighe(const std::vector<int16_t>& righe) {
  std::string testo;
  for (size_t k = 0; k < righe.size();) {
    size_t fine = k;
    while (fine + 1 < righe.size() && righe[fine + 1] == righe[fine] + 1) ++fine;
    if (!testo.empty()) testo += ", ";
    testo += std::to_string(righe[k]);
    if (fine > k) testo += "-" + std::to_string(righe[fine]);
    k = fine + 1;
  }
  return testo;
}

}  // namespace

bool ModificaCelle::ProvenienzaAccettata(int16_t prima, int16_t ultima, const std::string& digitato) {
  const double v = NumeroDigitato(CommaToDot(digitato));
  // Out of range, or no segment: the row rules give their own message before anything changes.
  if (!(v >= 0) || v > MaxTronchi) return true;
  const int16_t nuovo = Intero16(v);
  if (nuovo != 0 && !TroncoEsistente(nuovo)) return true;
  std::vector<int16_t> cicli, figli, scollegati;
  for (int16_t i = prima; i <= ultima; ++i) {
    if (!IsSlot(i) || NonAncoraTronco(i)) continue;
    // Segment 1 is the network's start: it keeps no parent whatever the range is given.
    const int16_t padre = i == 1 ? 0 : nuovo;
    const TTronco& t = Tronco(i);
    if (padre != 0 && padre != i && DiscendeDa(padre, i)) cicli.push_back(i);
    if (padre != 0 && padre != t.ID_PREV) figli.push_back(i);
    if (padre == 0 && t.ID_PREV != 0) scollegati.push_back(i);
  }
  // A single row keeps the rules of its own row (its own number, two derivations); a range is
  // judged here whole, so that no row changes before one of them is refused.
  if (!cicli.empty()) {
    MsgBox("Il tronco " + std::to_string(nuovo) + " deriva dal tronco " + ElencoRighe(cicli) +
               ": non puo' esserne il tronco di provenienza.\r\nIl valore non e' stato cambiato.",
           Bottoni::OK, Icona::Esclamazione);
    return false;
  }
  if (prima < ultima) {
    if (std::find(figli.begin(), figli.end(), nuovo) != figli.end()) {
      MsgBox("Il tronco non puo' provenire da se stesso!\r\nIl tronco " + std::to_string(nuovo) +
                 " e' tra quelli selezionati: il valore non e' stato cambiato.",
             Bottoni::OK, Icona::Esclamazione);
      return false;
    }
    if (nuovo != 0 && Derivazioni(nuovo) + static_cast<int>(figli.size()) > 2) {
      MsgBox("Il tronco " + std::to_string(nuovo) + " non puo' avere piu' di due derivazioni: " +
                 (figli.size() == 1 ? "il tronco " + ElencoRighe(figli) + " non e' stato collegato."
                                    : "i tronchi " + ElencoRighe(figli) + " non sono stati collegati."),
             Bottoni::OK, Icona::Esclamazione);
      return false;
    }
  }
  if (!scollegati.empty() && prima < ultima) {
    const std::string domanda = scollegati.size() == 1 ? "Scollegare il tronco " + ElencoRighe(scollegati) + "?"
                                                       : "Scollegare i tronchi " + ElencoRighe(scollegati) + "?";
    if (MsgBox(domanda, Bottoni::SiNo, Icona::Domanda) != Risposta::Si) return false;
    return true;
  }
  // A range that reaches rows scrolled out of sight changes more than the user sees selected: it
  // is asked first, naming every segment it moves.
  if (prima < ultima && !figli.empty() &&
      std::any_of(figli.begin(), figli.end(), [this](int16_t r) { return !v_.RigaInVista(r); })) {
    const std::string domanda = (figli.size() == 1 ? "Collegare il tronco " : "Collegare i tronchi ") +
                                ElencoRighe(figli) + " al tronco " + std::to_string(nuovo) + "?";
    if (MsgBox(domanda, Bottoni::SiNo, Icona::Domanda) != Risposta::Si) return false;
  }
  return true;
}

void ModificaCelle::RipristinaCella() {
  v_.SetTextMatrix(v_.Row(), v_.Col(), TestoOriginale);
  if (v_.Row() == RigaInModifica && v_.Col() == ColonnaInModifica) v_.ImpostaTestoEditor(TestoOriginale, true);
}

void ModificaCelle::MostraValoriSalvati(int16_t prima, int16_t ultima) {
  // The cells show what was stored, as a segment's row shows it ("7,500"), not the typed text
  // with its commas turned into points: no calculation refreshes the entry row before it is a
  // segment, nor any row while the automatic calculation is off.
  // A diameter cell keeps its label, or the "Auto" that the calculation has still to act on.
  const int16_t colonna = v_.Col();
  if (CodiceColonna(colonna) == campo::ID_DIAMETRO) return;
  for (int16_t i = prima; i <= ultima; ++i)
    if (IsSlot(i)) v_.SetTextMatrix(i, colonna, CellaAggiornata(i, layout_, colonna, CellaFormattata(layout_, colonna)).Testo);
}

ModificaCelle::EsitoRiga ModificaCelle::SalvaRiga(int16_t i, int16_t codice) {
  if (!IsSlot(i)) return EsitoRiga::Prosegui;
  // A row a delete left blank becomes a segment again when a value of its own is written: as a
  // new one, it takes the default series, without which it could not be sized, and its slot is no
  // longer free for the schema. A parent alone is only noted there, as on the entry row.
  if (codice != campo::ID_PREV) RiprendiSlotVuoto(i);
  if (Tronco(i).Eliminato == -1 && !SlotVuoto(i)) Tronco(i).Eliminato = 0;
  TTronco t = Tronco(i);
  const int16_t riga = v_.Row(), colonna = v_.Col();
  const std::string testo = v_.TextMatrix(riga, colonna);
  const double v = NumeroDigitato(testo);
  switch (codice) {
    case campo::ID_P_UTENZE:
      if (const auto f = Singolo(v); f && (v == 0 || *f != t.ID_P_UTENZE)) {
        t.ID_P_UTENZE = *f;
        t.ID_P_TRONCO = *f;
      }
      break;
    case campo::ID_LEN:
      if (const auto f = Singolo(v)) t.ID_LEN = *f;
      break;
    case campo::ID_DIAMETRO:
      RegolaDiametro(i, t);
      break;
    case campo::ID_PREV:
      if (const EsitoRiga e = RegolaProvenienza(i, t); e != EsitoRiga::Prosegui) return e;
      break;
    case campo::ID_RIF: {
      const std::string rif = UCase(Trim(testo));
      v_.SetTextMatrix(riga, colonna, rif);
      t.ID_RIF = rif;
      break;
    }
    case campo::ID_EQ_LEN:
      if (const auto f = Singolo(v)) t.ID_EQ_LEN = *f;
      break;
    case campo::ID_CONTEMP: {
      // The table stores it as the segment-parameters dialog does: a whole percentage, 10 to 100.
      const std::string limitato = LimitaContemporaneita(TestoNumero(static_cast<int32_t>(Intero16(v))));
      v_.SetTextMatrix(riga, colonna, limitato);
      t.ID_CONTEMP = static_cast<int16_t>(NumeroIntero(limitato));
      break;
    }
    default:
      break;
  }
  Tronco(i) = t;
  return EsitoRiga::Prosegui;
}

void ModificaCelle::RegolaDiametro(int16_t i, TTronco& t) {
  const int16_t riga = v_.Row(), colonna = v_.Col();
  std::string testo = v_.TextMatrix(riga, colonna);
  if (testo == "?") {
    const std::string scelto = v_.ScegliDiametro(t.IndiceMateriale);
    if (!scelto.empty()) {
      v_.SetTextMatrix(riga, colonna, scelto);
      testo = scelto;
    }
  }
  const float interno = DiametroInterno(t.IndiceMateriale, testo);
  const bool fisso =
      UCase(testo) != "AUTO" && interno > 0 && testo != "0" && (t.ID_DIAMETRO != testo || Tronco(i).ID_DIAMCUSTOM != 0);
  if (fisso) {
    t.ID_DIAMETRO = testo;
    t.ID_DIAMCUSTOM = -1;
    v_.Lucchetto(true);
    v_.SetCellForeColor(riga, colonna, colore::Rosso);
  } else if (t.ID_DIAMETRO != testo) {
    // "Auto", "0" or a label the series lacks: the calculation chooses the diameter again.
    t.ID_DIAMCUSTOM = 0;
    v_.Lucchetto(false);
    v_.SetCellForeColor(riga, colonna, colore::Nero);
  }
}

ModificaCelle::EsitoRiga ModificaCelle::NonCollegato(int16_t riga, int16_t colonna) {
  // The user kept the appliance's flow: nothing was linked, and the cell shows the parent it had.
  v_.SetTextMatrix(riga, colonna, TestoOriginale);
  if (riga == RigaInModifica && colonna == ColonnaInModifica) v_.ImpostaTestoEditor(TestoOriginale, true);
  return EsitoRiga::Fine;
}

ModificaCelle::EsitoRiga ModificaCelle::RegolaProvenienza(int16_t i, TTronco& t) {
  const int16_t riga = v_.Row(), colonna = v_.Col();
  double v = NumeroDigitato(v_.TextMatrix(riga, colonna));
  // Compared as the whole number that would be stored: 2.4 on row 2 is row 2 itself.
  if (Intero16(v) == i) {
    MsgBox("Il tronco non puo' provenire da se stesso!");
    return EsitoRiga::Fine;
  }
  if (v > MaxTronchi) {
    MsgBox("Valore di provenienza troppo alto");
    v_.SetTextMatrix(riga, colonna, "");
    return EsitoRiga::Fine;
  }
  if (v < 0) {
    MsgBox("Valori  negativi non validi");
    v_.SetTextMatrix(riga, colonna, "");
    return EsitoRiga::Fine;
  }
  // Segment 1 has no parent. The typed text stays for the rows after it in a range (turned into
  // "0" it unlinked them all); each row shows its own stored value at the end.
  if (i == 1) v = 0;
  const int16_t nuovo = Intero16(v);
  // A number that names no segment ("50" meant for "5") would take the row out of the calculation
  // with nothing but grey text to show it.
  if (nuovo != 0 && !TroncoEsistente(nuovo)) {
    MsgBox("Il tronco " + std::to_string(nuovo) +
               " non esiste: il tronco di provenienza deve essere un tronco della rete (0 per nessuno).\r\n"
               "Il valore non e' stato cambiato.",
           Bottoni::OK, Icona::Esclamazione);
    return EsitoRiga::Rifiuto;
  }
  const bool utenza = nuovo != 0 && Tronco(nuovo).ID_P_UTENZE > 0 && IsTerminale(nuovo);

  // A row that is not a segment yet: the parent is noted in its record and linked when the row
  // becomes one (CollegaProvenienza). Linked now, the parent would count a derivation the network
  // does not hold, and an upstream appliance would lose its flow to a row the user may still
  // leave with Esc or a click.
  // Nor is the appliance question asked here: the parent's flow may change before the row is
  // made, and the link asks it then, with the flow the parent has then.
  if (NonAncoraTronco(i)) {
    t.ID_PREV = nuovo;
    if (nuovo != 0 && Derivazioni(nuovo) == 2) {
      MsgBox("Errore! Il tronco " + std::to_string(nuovo) + " ha gia' due derivazioni");
      t.ID_PREV = 0;
    }
    return EsitoRiga::Prosegui;
  }

  // Unlink from the previous parent; only a link that names this segment is cut.
  const int16_t p = t.ID_PREV;
  int16_t* tagliato = nullptr;
  if (p != 0 && IsSlot(p)) {
    TTronco& padre = Tronco(p);
    if (padre.ID_LEFT == i)
      tagliato = &padre.ID_LEFT;
    else if (padre.ID_RIGHT == i)
      tagliato = &padre.ID_RIGHT;
    if (tagliato) *tagliato = 0;
  }

  if (utenza && MsgBox(DomandaAzzeraPortata, Bottoni::SiNo, Icona::Domanda) == Risposta::No) {
    if (tagliato) *tagliato = i;
    return NonCollegato(riga, colonna);
  }

  // The link clears the appliance's flow the user agreed to give up: the calculation then has
  // nothing left to warn about.
  t.ID_PREV = MinLong(nuovo, 32767);
  Tronco(i).ID_PREV = t.ID_PREV;
  CollegaProvenienza(i, utenza);
  t.ID_PREV = Tronco(i).ID_PREV;
  return EsitoRiga::Prosegui;
}

void ModificaCelle::CompletaNuovoTronco(int16_t seg) {
  if (!IsSlot(seg)) return;
  TTronco& t = Tronco(seg);
  // A slot a delete marked keeps its marks when it becomes the entry row; the segment is live.
  t.Eliminato = 0;
  t.SlotLibero = 0;
  // A segment without a pipe series has no inner diameter and cannot be sized.
  std::string serie = t.ID_MATERIALE;
  if (t.IndiceMateriale < 1 || CercaMateriale(serie) < 1) AssegnaSerieDefault(t);
  CollegaProvenienza(seg);
}

void ModificaCelle::SaveGridMaterial(int16_t tasto) {
  // The entry row, and a row a delete left blank, show nothing in their first column until they
  // have a parent, yet the series chosen there is the one the segment is made with: refused, Enter
  // stayed on the list.
  const bool riga = !v_.TextMatrix(RigaInModifica, 1).empty() || NonAncoraTronco(RigaInModifica);
  if (riga && StatoEditazione == 2 &&
      (CodiceColonna(v_.Col()) == campo::ID_MATERIALE || CodiceColonna(ColonnaInModifica) == campo::ID_MATERIALE)) {
    std::string nome = v_.VoceScelta();
    // An empty list offers nothing to choose: a segment without a series is not made.
    if (!nome.empty()) {
      int16_t prima = RigaInModifica, ultima = RigaInModifica;
      if (v_.Row() != v_.RowSel()) {
        const int16_t a = v_.Row(), b = v_.RowSel();
        const SelezioneRighe s = LimitaSelezione(std::min(a, b), std::max(a, b), ContoTronchi());
        prima = s.Prima;
        ultima = s.Ultima;
      }
      v_.SetTextMatrix(RigaInModifica, ColonnaInModifica, nome);
      if (IsSlot(RigaInModifica)) Tronco(RigaInModifica).ID_MATERIALE = nome;
      const int16_t m = CercaMateriale(nome);  // trims the name
      v_.SetTextMatrix(RigaInModifica, ColonnaInModifica, nome);
      for (int16_t i = prima; i <= ultima; ++i) {
        if (!IsSlot(i)) continue;
        RiprendiSlotVuoto(i);
        TTronco& t = Tronco(i);
        t.ID_MATERIALE = nome;
        t.IndiceMateriale = m;
        if (m < 1 || CercaDiametro(m, t.ID_DIAMETRO) == 0) t.ID_DIAMCUSTOM = 0;
      }
      if (tasto > 0 && !CursoreBloccato && v_.Col() == ColonnaInModifica)
        v_.SetRowCol(v_.Row(), std::min<int16_t>(static_cast<int16_t>(v_.Col() + 1), UltimaColonna()));
      if (RicalcoloAutomatico) v_.Elaborazione();
      v_.SetSelezione(v_.Row(), v_.Col());
    }
  }
  v_.FocusTabella();
  StatoEditazione = 1;
}

// ---- Cell actions ---------------------------------------------------------------------------

void ModificaCelle::GridCellAction() {
  switch (CodiceColonna(v_.Col())) {
    case campo::ID_P_UTENZE:
      EditGridFlow();
      break;
    case campo::ID_LEN:
      EditGridSegment();
      break;
    case campo::ID_DIAMETRO:
      PickGridDiameter();
      break;
    default:
      break;
  }
}

void ModificaCelle::PerditaVersoDialogo() {
  if (StatoEditazione == 2) Text1_LostFocus();
}

void ModificaCelle::PickGridDiameter() {
  if (CodiceColonna(v_.Col()) != campo::ID_DIAMETRO || !IsSlot(v_.Row())) return;
  PerditaVersoDialogo();
  const std::string scelto = v_.ScegliDiametro(Tronco(v_.Row()).IndiceMateriale);
  if (!scelto.empty()) v_.ImpostaTestoEditor(scelto, true);
  v_.FocusTabella();
  SaveGridCell();
  v_.NascondiPulsante();
}

void ModificaCelle::cmdDettagliDiametro_Click() {
  if (CodiceColonna(v_.Col()) != campo::ID_DIAMETRO || !IsSlot(v_.Row())) return;
  const std::string scelto = v_.ScegliDiametro(Tronco(v_.Row()).IndiceMateriale);
  if (!scelto.empty()) v_.ImpostaTestoEditor(scelto, true);
  v_.FocusTabella();
  if (!scelto.empty()) SaveGridCell();
  v_.NascondiPulsante();
}

void ModificaCelle::EditGridFlow() {
  const int16_t r = v_.Row();
  if (!IsSlot(r) || Derivazioni(r) != 0) return;
  PerditaVersoDialogo();
  const bool pressione = ReteInPressione != 0;
  const EsitoPortata e = v_.PortataUtenza(pressione, r, Tronco(r).ID_P_UTENZE);
  if (!e.Done) return;
  TTronco& t = Tronco(r);
  t.ID_P_UTENZE = e.Portata;
  t.ID_P_TRONCO = t.ID_P_UTENZE;
  t.TipologiaUtenza = e.Tipologia;
  if (!pressione) t.ComposizioneUtenza = e.Composizione;
  v_.Elaborazione();
}

void ModificaCelle::EditGridSegment() {
  if (CodiceColonna(v_.Col()) != campo::ID_LEN) return;
  const int16_t r = v_.Row();
  if (r < 1 || r > Rete().NumTronchi) return;
  PerditaVersoDialogo();
  v_.ParametriTronco(r);
  if (RicalcoloAutomatico) v_.Elaborazione();
}

// ---- Keys and focus -------------------------------------------------------------------------

bool ModificaCelle::Text1_KeyDown(int16_t keyCode) {
  if (keyCode >= 37 && keyCode <= 40) {
    if (TestoCambiato() && !SaveGridCell()) {
      ChiudiEditorSulPosto();
      return true;
    }
    int16_t riga = v_.Row(), colonna = v_.Col();
    switch (keyCode) {
      case 37: colonna = std::max<int16_t>(static_cast<int16_t>(colonna - 1), 1); break;
      case 38: riga = std::max<int16_t>(static_cast<int16_t>(riga - 1), 1); break;
      case 39: colonna = std::min<int16_t>(static_cast<int16_t>(colonna + 1), static_cast<int16_t>(v_.Cols() - 1)); break;
      default: riga = std::min<int16_t>(static_cast<int16_t>(riga + 1), static_cast<int16_t>(v_.Rows() - 1)); break;
    }
    v_.SetRowCol(riga, colonna);
    v_.NascondiEditor();
    v_.FocusTabella();
    StatoEditazione = 1;
    return true;
  }
  if (keyCode == 27) {
    v_.SetTextMatrix(RigaInModifica, ColonnaInModifica, TestoOriginale);
    StatoEditazione = 1;
    v_.NascondiEditor();
    v_.FocusTabella();
    return true;
  }
  return false;
}

bool ModificaCelle::TestoCambiato() const {
  if (v_.TextMatrix(RigaInModifica, ColonnaInModifica) != TestoOriginale) return true;
  return v_.Row() == RigaInModifica && v_.Col() == ColonnaInModifica && v_.TestoEditor() != TestoOriginale;
}

void ModificaCelle::ChiudiEditorSulPosto() {
  v_.SetSelezione(v_.Row(), v_.Col());
  v_.NascondiEditor();
  EditorModificato = false;
  StatoEditazione = 1;
  v_.FocusTabella();
}

void ModificaCelle::Text1_KeyPress(std::string& carattere) {
  if (StatoEditazione != 2 || carattere.empty()) return;
  if (carattere == "\r") {
    carattere.clear();
    const int16_t riga = v_.Row(), colonna = v_.Col();
    if (CodiceColonna(colonna) == campo::ID_DIAMETRO) v_.SetCellBackColor(riga, colonna, colore::GialloChiaro);
    if (!(v_.CellForeColor(riga, colonna) == colore::Rosso && colonna == 3) && TestoCambiato() && !SaveGridCell()) {
      ChiudiEditorSulPosto();
      return;
    }

    const int16_t r = v_.Row();
    const bool terminale = IsSlot(r) && IsTerminale(r);
    int16_t i = static_cast<int16_t>(v_.Col() + 1);
    for (; i <= UltimaColonna(); ++i)
      if (!SolaLettura(i) && (CodiceColonna(i) != campo::ID_P_UTENZE || terminale)) break;
    if (i <= UltimaColonna()) {
      if (!CursoreBloccato) v_.SetRowCol(r, i);
    } else {
      // The end of the row: the entry row becomes a segment, within the 200 slots.
      const int16_t primaNuova = static_cast<int16_t>(ContoTronchi() + 1);
      if (v_.Rows() < Rete().NumTronchi + 1) {
        if (Rete().NumTronchi < MaxTronchi) v_.AggiungiRigaGriglia();
      } else if (r == Rete().NumTronchi + 1 && r <= MaxTronchi) {
        SetNumTronchi(1, r);
      }
      for (int16_t nuovo = primaNuova; nuovo <= ContoTronchi(); ++nuovo) CompletaNuovoTronco(nuovo);
      // A row a delete left blank, with a parent typed on it, is completed as the entry row is.
      if (r < primaNuova && SlotVuoto(r) && Tronco(r).ID_PREV != 0) CompletaNuovoTronco(r);
      if (!CursoreBloccato) {
        int16_t nuova = v_.Row();
        if (nuova + 1 < v_.Rows()) ++nuova;
        v_.SetRowCol(nuova, 1);
      }
    }
    if (RicalcoloAutomatico) v_.Elaborazione();
    v_.SetSelezione(v_.Row(), v_.Col());
    v_.NascondiEditor();
    EditorModificato = false;
    StatoEditazione = 1;
    v_.FocusTabella();
    StatoEditazione = 1;
    return;
  }
  if (carattere == "?") {
    GridCellAction();
    carattere.clear();
    return;
  }
  if (carattere == "\x1b" || carattere == "\b") return;
  v_.SetTextMatrix(v_.Row(), v_.Col(), v_.TestoEditor() + carattere);
}

void ModificaCelle::Text1_DblClick() { GridCellAction(); }

void ModificaCelle::Text1_LostFocus() {
  const int16_t rigaSel = v_.RowSel(), colonnaSel = v_.ColSel();
  if (CodiceColonna(ColonnaDiametro) == campo::ID_DIAMETRO && RigaDiametro >= 1 && RigaDiametro < v_.Rows()) {
    const int16_t riga = v_.Row(), colonna = v_.Col();
    v_.SetRowCol(RigaDiametro, ColonnaDiametro);
    const std::string t = v_.TextMatrix(RigaDiametro, ColonnaDiametro);
    // The warning of the diameter cell is judged on its own segment's results.
    const bool avviso = IsSlot(RigaDiametro) && AvvisoDiametro(RigaDiametro, t);
    v_.SetCellBackColor(RigaDiametro, ColonnaDiametro, avviso ? colore::RossoScuro : colore::GialloChiaro);
    v_.SetRowCol(riga, colonna);
  } else if (CodiceColonna(ColonnaDiametro) != campo::ID_DIAMETRO) {
    v_.SetCellBackColor(v_.Row(), v_.Col(), colore::Bianco);
  }
  v_.SetSelezione(rigaSel, colonnaSel);
  v_.NascondiEditor();
  if (StatoEditazione == 2) {
    if (v_.Row() == v_.RowSel() && EditorModificato && TestoCambiato()) {
      v_.SetRedraw(false);
      SaveGridCell(std::make_pair(RigaInModifica, ColonnaInModifica));
      v_.SetRedraw(true);
      EditorModificato = false;
    }
    StatoEditazione = 1;
  }
}

void ModificaCelle::Combo1_KeyPress(int16_t keyAscii) {
  if (keyAscii == 13 && StatoEditazione == 2) SaveGridMaterial(13);
}

void ModificaCelle::Combo1_LostFocus() { SaveGridMaterial(0); }

void ModificaCelle::ConfermaModificaInCorso() {
  if (StatoEditazione != 2) return;
  if (CodiceColonna(ColonnaInModifica) == campo::ID_MATERIALE)
    Combo1_LostFocus();
  else
    Text1_LostFocus();
}

}  // namespace varnex
