#include "archives/editor_materiali.h"

#include <algorithm>
#include <cmath>

#include "archives/testi_archivio.h"
#include "model/valori_digitati.h"
#include "model/files.h"
#include "model/globals.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "model/strings.h"
#include "model/valori_archivio.h"

namespace varnex {

namespace {

// The standard number-to-text form: a blank stands for the sign of a non-negative number.
std::string TestoStandard(double valore) {
  const std::string t = TestoNumero(valore);
  return valore < 0 ? t : " " + t;
}

std::string Formato(float valore) { return FormatNumero(valore, 2); }

// The inner diameter the grid computes, in the same single precision, is a finite number above 0.
bool InternoValido(float esterno, float spessore) {
  const float interno = esterno - 2 * spessore;
  return std::isfinite(esterno) && std::isfinite(spessore) && interno > 0;
}

int16_t ColonnaSuccessiva(int16_t c) { return c == 1 ? 2 : c == 2 ? 3 : 1; }
int16_t PassoRiga(int16_t c) { return c == 3 ? 1 : 0; }

}  // namespace

EditorMateriali::EditorMateriali() {
  Griglia[0] = {"", "Rif.Diam.", "Diam. ext\rmm", "Spessore\rmm", "Diam. int\rmm", "Massa lineica\rKg/m"};
  for (int16_t r = 1; r <= RigheSerie; ++r) Griglia[static_cast<size_t>(r)][0] = TestoStandard(r);
}

double EditorMateriali::NumeroCella(const std::string& testo) {
  // The table's rule: a cell is one plain number or nothing (0); Commit refuses anything else.
  return varnex::NumeroCella(testo).value_or(0.0);
}

int16_t EditorMateriali::IndiceDefault() {
  for (int16_t i = 1; i <= NumMateriali; ++i)
    if (Materiali[static_cast<size_t>(i)][0].Nome == DefaultMateriale) return i;
  return NumMateriali > 0 ? 1 : 0;
}

void EditorMateriali::CaricaListaSerie() {
  const int16_t k = IndiceDefault();
  if (k > 0) {
    CaricaSerie(k);
    return;
  }
  // An empty archive: nothing to show, nothing to save.
  CopiaSerie = {};
  RigheMostrate = 0;
  IndiceSerie = 0;
  MostraSerie();
  SerieModificata = false;
}

void EditorMateriali::CaricaSerie(int16_t k) {
  const TSerieMateriale& s = Materiali[static_cast<size_t>(k)];
  CopiaSerie = {};
  TMateriale& t = CopiaSerie[0];
  t.Nome = s[0].Nome;
  t.TipoFormula = s[0].TipoFormula;
  t.PesoSpecifico = s[0].PesoSpecifico;
  t.Descrizione = s[0].Descrizione;
  t.NumDiametri = std::clamp<int16_t>(s[0].NumDiametri, 0, MaxDiametri);
  for (int16_t r = 1; r <= t.NumDiametri; ++r) {
    const TMateriale& a = s[static_cast<size_t>(r)];
    TMateriale& c = CopiaSerie[static_cast<size_t>(r)];
    c.RifDiametro = a.RifDiametro;
    c.DiamEsterno = a.DiamEsterno;
    c.Spessore = a.Spessore;
    c.DiamInterno = a.DiamInterno;
    c.PesoMetro = a.PesoMetro;
    c.Sezione = a.Sezione;
  }
  RigheMostrate = t.NumDiametri;
  IndiceSerie = k;
  MostraSerie();
  SerieModificata = false;
}

void EditorMateriali::SvuotaGriglia() {
  for (int16_t r = 1; r <= RigheSerie; ++r)
    for (int16_t c = 1; c < ColonneSerie; ++c) Griglia[static_cast<size_t>(r)][static_cast<size_t>(c)].clear();
}

void EditorMateriali::MostraSerie() {
  SvuotaGriglia();
  // A 50th diameter has no grid row: it stays in the working copy as it is.
  const int16_t n = std::min(RigheMostrate, RigheSerie);
  for (int16_t r = 1; r <= n; ++r) {
    const TMateriale& m = CopiaSerie[static_cast<size_t>(r)];
    auto& riga = Griglia[static_cast<size_t>(r)];
    riga[1] = m.RifDiametro;
    riga[2] = Formato(m.DiamEsterno);
    riga[3] = Formato(m.Spessore);
    riga[4] = Formato(m.DiamInterno);
    riga[5] = Formato(m.PesoMetro);
  }
}

std::string EditorMateriali::TestoDensita() const {
  // With its decimals: shown as a whole number, the next leaving of the box would store that.
  const float densita = CopiaSerie[0].PesoSpecifico;
  return (densita < 0 ? "" : " ") + TestoNumero(densita);
}

void EditorMateriali::RicalcolaRighe() {
  const double peso = CopiaSerie[0].PesoSpecifico;
  for (int16_t r = 1; r <= RigheMostrate && r <= MaxDiametri; ++r) {
    TMateriale& m = CopiaSerie[static_cast<size_t>(r)];
    bool toccata = true;
    if (r <= RigheSerie) {
      const auto& riga = Griglia[static_cast<size_t>(r)];
      // A cell still showing its stored value as shown keeps that value: the grid's two decimals
      // must not replace the archive's figures in the rows the user did not edit.
      const bool esterno = riga[2] != Formato(m.DiamEsterno);
      const bool spessore = riga[3] != Formato(m.Spessore);
      if (esterno) m.DiamEsterno = static_cast<float>(NumeroCella(riga[2]));
      if (spessore) m.Spessore = static_cast<float>(NumeroCella(riga[3]));
      toccata = esterno || spessore;
    }
    if (toccata) m.DiamInterno = m.DiamEsterno - 2 * m.Spessore;
    const double de = m.DiamEsterno;
    const double di = m.DiamInterno;
    const float ae = static_cast<float>(de * de / 4 * 3.1415);
    const float ai = static_cast<float>(di * di / 4 * 3.1415);
    m.PesoMetro = static_cast<float>(static_cast<double>(ae - ai) * (peso / 1000000));
    m.Sezione = static_cast<float>(static_cast<double>(ai) / 1000);
  }
}

namespace {

// Why an outer diameter that is a number cannot go with the row's thickness, "" when it can.
std::string RifiutoEsterno(float esterno, float spessore) {
  // A pipe whose wall fills it has no flow section: the sizing could only pick it wrongly.
  if (!InternoValido(esterno, spessore)) return MsgEsternoNonCompatibile;
  if (!ValoreAmmesso(CampoArchivio::DiametroEsterno, esterno))
    return MsgValoreNonAmmesso("Il diametro esterno", CampoArchivio::DiametroEsterno);
  if (!ValoreAmmesso(CampoArchivio::DiametroInterno, esterno - 2 * spessore))
    return MsgValoreNonAmmesso("Il diametro interno (diametro esterno meno due spessori)", CampoArchivio::DiametroInterno);
  return {};
}

// Why a thickness that is a number cannot go with the row's outer diameter, "" when it can.
std::string RifiutoSpessore(float esterno, double s) {
  // A negative wall would give an inner diameter above the outer one, refused at the next load.
  if (!(s < static_cast<double>(esterno) / 2) || !InternoValido(esterno, static_cast<float>(s)))
    return MsgSpessoreNonCompatibile;
  if (!ValoreAmmesso(CampoArchivio::Spessore, static_cast<float>(s)))
    return MsgValoreNonAmmesso("Lo spessore", CampoArchivio::Spessore);
  if (!ValoreAmmesso(CampoArchivio::DiametroInterno, esterno - 2 * static_cast<float>(s)))
    return MsgValoreNonAmmesso("Il diametro interno (diametro esterno meno due spessori)", CampoArchivio::DiametroInterno);
  return {};
}

}  // namespace

EsitoCommit EditorMateriali::Commit(int16_t r, int16_t c, const std::string& testo) {
  EsitoCommit e;
  if (r < 1 || r > RigheSerie || c < 1 || c > 3) return e;
  auto& cella = Griglia[static_cast<size_t>(r)][static_cast<size_t>(c)];
  const std::string precedente = cella;
  cella = testo;
  e.accettato = true;
  // A refused value puts the old cell back: the row keeps what it held, the series is as it was,
  // and leaving must not ask to save it.
  bool ripristinata = false;
  TMateriale& m = CopiaSerie[static_cast<size_t>(r)];
  if (c == 1) {
    if (TestoArchiviabile(testo)) {
      m.RifDiametro = testo;
    } else {
      // Written as typed, the row would come back shifted, cut or not at all.
      MsgBox(MsgTestoNonArchiviabile(MsgCampoRifDiametro, testo), Bottoni::OK);
      cella = precedente;
      e.accettato = false;
      ripristinata = true;
    }
  } else if (c == 2 || c == 3) {
    // First of all the text must be one plain number, by the table's rule: "abc" or "2,5,9" is
    // refused naming its box, never stored as 0 or 2,5.
    std::string rifiuto = RifiutoNumero(c == 2 ? "il diametro esterno" : "lo spessore", testo, true);
    if (rifiuto.empty()) rifiuto = c == 2 ? RifiutoEsterno(static_cast<float>(NumeroCella(testo)), m.Spessore)
                                          : RifiutoSpessore(m.DiamEsterno, NumeroCella(testo));
    if (!rifiuto.empty()) {
      MsgBox(rifiuto, Bottoni::OK);
      cella = precedente;
      e.accettato = false;
      ripristinata = true;
    }
  }
  RigheMostrate = std::max(RigheMostrate, r);
  RicalcolaRighe();
  MostraSerie();
  if (e.accettato) {
    e.colonna = ColonnaSuccessiva(c);
    int16_t& n = CopiaSerie[0].NumDiametri;
    n = std::max(n, r);
    e.riga = r < RigheSerie ? static_cast<int16_t>(r + PassoRiga(c)) : r;
    e.primaVisibile = e.riga <= 5 ? int16_t{1} : static_cast<int16_t>(e.riga - 4);
  } else {
    // The correction the user types next belongs in the cell that was refused.
    e.riga = r;
    e.colonna = c;
  }
  if (!ripristinata) SerieModificata = true;
  return e;
}

bool EditorMateriali::ImpostaDensita(const std::string& testo) {
  // One plain number, by the table's rule ("7,8,5" is no 7,8); a blank box is 0, refused by the
  // save as before.
  if (!Trim(testo).empty() && !varnex::NumeroCella(testo)) {
    MsgBox("\"" + Trim(testo) + "\" non e' un numero valido per la densita'.\r\nIl valore non e' stato cambiato.",
           Bottoni::OK);
    return false;
  }
  // The box shows a decimal comma and accepts one: its decimals are kept, not cut at the comma.
  CopiaSerie[0].PesoSpecifico = static_cast<float>(ValDot(testo));
  RicalcolaRighe();
  MostraSerie();
  SerieModificata = true;
  return true;
}

void EditorMateriali::ImpostaDescrizione(const std::string& testo) {
  CopiaSerie[0].Descrizione = testo;
  SerieModificata = true;
}

void EditorMateriali::ImpostaTipoFormula(int16_t tipo) {
  CopiaSerie[0].TipoFormula = tipo;
  SerieModificata = true;
}

bool EditorMateriali::CheckBeforeChange() {
  if (!SerieModificata) return true;
  switch (MsgBox(MsgSalvareSerie, Bottoni::SiNoAnnulla, Icona::Domanda)) {
    case Risposta::Si:
      return SalvaSerie();
    case Risposta::No:
      return true;
    default:
      return false;
  }
}

bool EditorMateriali::CambiaSerie(int16_t k) {
  if (SerieNuova || RipristinoLista) return false;
  if (k < 1 || k > NumMateriali) return false;
  if (!CheckBeforeChange()) return false;
  CaricaSerie(k);
  return true;
}

void EditorMateriali::CopiaInArchivio(int16_t k) {
  TSerieMateriale& s = Materiali[static_cast<size_t>(k)];
  const TMateriale& t = CopiaSerie[0];
  s[0].Nome = t.Nome;
  s[0].TipoFormula = t.TipoFormula;
  s[0].NumDiametri = t.NumDiametri;
  s[0].PesoSpecifico = t.PesoSpecifico;
  s[0].Descrizione = t.Descrizione;
  for (int16_t r = 1; r <= t.NumDiametri && r <= MaxDiametri; ++r) {
    const TMateriale& c = CopiaSerie[static_cast<size_t>(r)];
    TMateriale& a = s[static_cast<size_t>(r)];
    a.RifDiametro = c.RifDiametro;
    a.DiamEsterno = c.DiamEsterno;
    a.Spessore = c.Spessore;
    a.DiamInterno = c.DiamInterno;
    a.PesoMetro = c.PesoMetro;
    a.Sezione = c.Sezione;
  }
  CalcolaDatiMateriali();
}

std::string EditorMateriali::RigaNonSalvabile() const {
  if (!TestoArchiviabile(CopiaSerie[0].Descrizione))
    return MsgTestoNonArchiviabile(MsgCampoDescrizioneSerie, CopiaSerie[0].Descrizione);
  // Beyond a single's range the density is infinite, and so is every mass per metre.
  if (!ValoreAmmesso(CampoArchivio::PesoSpecifico, CopiaSerie[0].PesoSpecifico))
    return std::string(MsgDensitaNonValida) + " (ammessa " + TestoIntervallo(CampoArchivio::PesoSpecifico) + ")";
  const int16_t n = std::min<int16_t>(CopiaSerie[0].NumDiametri, MaxDiametri);
  for (int16_t r = 1; r <= n; ++r) {
    const TMateriale& m = CopiaSerie[static_cast<size_t>(r)];
    // Rows without a label are not written at all.
    if (Trim(m.RifDiametro).empty()) continue;
    if (!TestoArchiviabile(m.RifDiametro)) return MsgTestoNonArchiviabile(MsgCampoRifDiametro, m.RifDiametro);
    if (!(m.DiamInterno > 0) || !std::isfinite(m.DiamInterno) || !std::isfinite(m.Spessore)) {
      return std::string(MsgRigaSenzaInterno) + m.RifDiametro + " (riga " + std::to_string(r) +
             ") non ha un diametro interno maggiore di 0.\r\nCorreggere diametro esterno e spessore, oppure "
             "svuotare il suo Rif.Diam. perche' la riga non venga salvata.";
    }
    // The reader's own rule: a row it would refuse is not written.
    const std::string difetto = DifettoDiametro(m.Spessore, m.DiamInterno);
    if (!difetto.empty()) {
      return std::string(MsgRigaSenzaInterno) + m.RifDiametro + " (riga " + std::to_string(r) + "): " + difetto +
             ".\r\nCorreggere diametro esterno e spessore, oppure svuotare il suo Rif.Diam. perche' la riga "
             "non venga salvata.";
    }
  }
  return {};
}

bool EditorMateriali::SalvaSerie() {
  // A series nobody changed is not written again: its file may hold rows refused at load and
  // comment lines that the writer would drop, or it may just have been deleted.
  if (!SerieNuova && !SerieModificata) return true;
  std::string errore;
  if (SerieNuova || (IndiceSerie >= 1 && IndiceSerie <= NumMateriali)) {
    const std::string difetto = RigaNonSalvabile();
    if (!difetto.empty()) {
      MsgBox(difetto, Bottoni::OK, Icona::Esclamazione);
      return false;
    }
  }
  if (!SerieNuova) {
    // An empty archive has nothing to save.
    if (IndiceSerie < 1 || IndiceSerie > NumMateriali) return true;
    const TSerieMateriale prima = Materiali[static_cast<size_t>(IndiceSerie)];
    CopiaInArchivio(IndiceSerie);
    if (!SalvaMateriale(IndiceSerie, &errore)) {
      // The archive keeps what the file holds; the working copy keeps the changes.
      Materiali[static_cast<size_t>(IndiceSerie)] = prima;
      MsgBox(errore, Bottoni::OK, Icona::Critico);
      return false;
    }
    SerieModificata = false;
    CaricaListaSerie();
    return true;
  }
  if (NumMateriali >= MaxMateriali) {
    MsgBox(MsgTroppeSerie, Bottoni::OK, Icona::Esclamazione);
    return false;
  }
  const int16_t k = static_cast<int16_t>(NumMateriali + 1);
  const TSerieMateriale prima = Materiali[static_cast<size_t>(k)];
  NumMateriali = k;
  CopiaInArchivio(k);
  if (!SalvaMateriale(k, &errore)) {
    // The new series leaves the archive again and stays pending in the editor.
    Materiali[static_cast<size_t>(k)] = prima;
    NumMateriali = static_cast<int16_t>(k - 1);
    MsgBox(errore, Bottoni::OK, Icona::Critico);
    return false;
  }
  SerieNuova = false;
  SerieModificata = false;
  RefreshGasGridCombos();
  CaricaListaSerie();
  return true;
}

bool EditorMateriali::Nuovo(const std::function<std::string()>& chiediNome) {
  if (!SalvaSerie()) return false;
  if (NumMateriali >= MaxMateriali) {
    MsgBox(MsgTroppeSerie, Bottoni::OK, Icona::Esclamazione);
    return false;
  }
  std::string nome = Trim(UCase(chiediNome ? chiediNome() : std::string()));
  if (nome.empty()) return false;
  if (Len(nome) > 8) {
    if (MsgBox(MsgNomeLungo, Bottoni::SiNo, Icona::Domanda) != Risposta::Si) return false;
    nome = Left(nome, 8);
  }
  // The series' files are found regardless of letter case, so names differing only in case
  // would share one file.
  for (int16_t i = 1; i <= NumMateriali; ++i) {
    if (UgualiNoCase(Materiali[static_cast<size_t>(i)][0].Nome, nome)) {
      MsgBox(MsgSerieEsistente, Bottoni::OK);
      return false;
    }
  }
  if (!IsNomeValido(nome)) {
    MsgBox(MsgNomeSerieNonValido, Bottoni::OK);
    return false;
  }
  CopiaSerie = {};
  CopiaSerie[0].Nome = nome;
  CopiaSerie[0].TipoFormula = 1;
  RigheMostrate = 0;
  SerieNuova = true;
  IndiceSerie = 0;
  MostraSerie();
  return true;
}

void EditorMateriali::Cancella() {
  if (IndiceSerie == 0) return;
  if (MsgBox(MsgConfermaCancellazione, Bottoni::SiNo, Icona::Domanda) != Risposta::Si) return;
  const std::string percorso = FileMateriale(IndiceSerie);
  std::string motivo;
  if (DeleteFileIfExists(percorso, &motivo))
    MsgBox(MsgSerieCancellata, Bottoni::OK);
  else if (motivo.empty())
    MsgBox(MsgFileGiaEliminato, Bottoni::OK);
  else
    MsgBox("Impossibile cancellare il file " + percorso + ": " + motivo, Bottoni::OK, Icona::Esclamazione);
}

bool EditorMateriali::Esci() {
  if (!SerieNuova && !SerieModificata) return true;
  switch (MsgBox(MsgSalvareSerie, Bottoni::SiNoAnnulla, Icona::Domanda)) {
    case Risposta::Si:
      return SalvaSerie();
    case Risposta::No:
      SerieModificata = false;
      SerieNuova = false;
      return true;
    default:
      return false;
  }
}

}  // namespace varnex
