#include "report/print/copertina.h"

#include "model/giudizi.h"
#include "model/calcolo.h"
#include "model/campi.h"
#include "model/gas.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/strings.h"
#include "report/print/sezioni.h"

namespace varnex {

namespace {

bool CodiceNumerico(char c) { return c == '#' || c == '0' || c == '.' || c == ','; }

// The mask applied to the decimal text the value gives with `decimali` decimals.
std::string ApplicaMaschera(const std::string& numeroMassimo, std::string_view maschera, size_t inizio, size_t fine,
                            int obbligatori, int cifreIntere) {
  std::string testo = numeroMassimo;
  const bool negativo = !testo.empty() && testo[0] == '-';
  std::string corpo = negativo ? testo.substr(1) : testo;
  size_t virgola = corpo.find(',');
  if (virgola != std::string::npos) {
    // Optional decimals: trailing zeros beyond the required ones go, and a bare comma with them.
    size_t ultima = corpo.size();
    while (ultima > virgola + 1 + static_cast<size_t>(obbligatori) && corpo[ultima - 1] == '0') --ultima;
    corpo.resize(ultima);
    if (corpo.back() == ',') corpo.pop_back();
  }
  virgola = corpo.find(',');
  const int intere = static_cast<int>(virgola == std::string::npos ? corpo.size() : virgola);
  if (intere < cifreIntere) corpo.insert(0, static_cast<size_t>(cifreIntere - intere), '0');
  if (cifreIntere == 0 && corpo.rfind("0", 0) == 0 && corpo.size() > 1 && corpo[1] == ',') corpo.erase(0, 1);
  const bool zero = corpo.find_first_not_of("0,") == std::string::npos;
  testo = (negativo && !zero ? "-" : "") + corpo;
  return std::string(maschera.substr(0, inizio)) + testo + std::string(maschera.substr(fine));
}

template <typename T>
std::string Formatta(T valore, std::string_view maschera) {
  size_t inizio = 0;
  while (inizio < maschera.size() && !CodiceNumerico(maschera[inizio])) ++inizio;
  if (inizio == maschera.size()) return std::string(maschera);
  size_t fine = inizio;
  while (fine < maschera.size() && CodiceNumerico(maschera[fine])) ++fine;
  const std::string_view numero = maschera.substr(inizio, fine - inizio);
  const size_t punto = numero.find('.');
  int decimali = 0, obbligatori = 0, cifreIntere = 0;
  for (size_t i = 0; i < numero.size(); ++i) {
    const char c = numero[i];
    if (c != '0' && c != '#') continue;
    if (punto != std::string_view::npos && i > punto) {
      ++decimali;
      if (c == '0') obbligatori = decimali;
    } else if (c == '0') {
      ++cifreIntere;
    }
  }
  return ApplicaMaschera(FormatNumero(valore, decimali), maschera, inizio, fine, obbligatori, cifreIntere);
}

CampoCopertina Campo(int16_t riga, std::string stampa, std::string html, std::string testo, std::string valore = {},
                     std::string parentesi = {}) {
  CampoCopertina c;
  c.Riga = riga;
  c.EtichettaStampa = std::move(stampa);
  c.EtichettaHTML = std::move(html);
  c.EtichettaTesto = std::move(testo);
  c.Valore = std::move(valore);
  c.ValoreParentesi = std::move(parentesi);
  return c;
}

}  // namespace

const std::string& CampoCopertina::Etichetta(RendererReport renderer) const {
  switch (renderer) {
    case RendererReport::HTML: return EtichettaHTML;
    case RendererReport::Testo: return EtichettaTesto;
    case RendererReport::Stampa: break;
  }
  return EtichettaStampa;
}

std::string FormatCopertina(double valore, std::string_view maschera) { return Formatta(valore, maschera); }
std::string FormatCopertina(float valore, std::string_view maschera) { return Formatta(valore, maschera); }

std::string GetVelocitaMassima() {
  const int16_t rete = GetReteCorrente();
  float massimo = 0;
  if (rete >= 0 && rete <= 1) {
    const TRete& r = BloccoReti[static_cast<size_t>(rete)];
    const int16_t n = std::min<int16_t>(std::max<int16_t>(r.NumTronchi, 0), MaxTronchi);
    for (int16_t i = 1; i <= n; ++i) {
      const TTronco& t = r.Tronchi[static_cast<size_t>(i)];
      if (t.Collegato == 0) continue;
      // The largest of the velocities computed is not the network's when one was not computed.
      if (NonCalcolabile(i, campo::ID_VELOCITA)) return TestoNonCalcolabile;
      if (t.ID_VELOCITA > massimo) massimo = t.ID_VELOCITA;
    }
  }
  return TestoNumero(massimo);
}

std::vector<CampoCopertina> GetCampiCopertina(RendererReport renderer) {
  const bool rete = ReteInPressione != 0;
  const bool stampa = renderer == RendererReport::Stampa;
  const TGas& gas = GasCorrente;
  const TTronco& primo = Tronco(1);
  std::vector<CampoCopertina> campi;

  const std::string titolo = rete ? "Rete gas in pressione" : "Schema di impianto interno gas";
  campi.push_back(Campo(1, titolo, titolo, titolo));
  campi.push_back(Campo(2, "Relazione di calcolo", "Relazione di calcolo", "Relazione di calcolo"));
  campi.push_back(Campo(3, "Riferimento: ", "Riferimento :", "Riferimento :", Left(Riferimento, 70)));
  campi.push_back(Campo(4, "Lavoro: ", "Lavoro&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;:", rete ? "Lavoro :" : "Lavoro: ",
                        DescrizioneLavoro));
  campi.push_back(Campo(5, "Tipo gas: ", "Tipo gas&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;:&nbsp;",
                        "Tipo gas : ", gas.Nome));
  campi.push_back(Campo(6, "Densità: ", "Densit&agrave&nbsp;:&nbsp;", "Densità : ", FormatCopertina(gas.Densita, "##0.###")));
  if (!rete)
    campi.push_back(Campo(7, "Famiglia: ", "Famiglia&nbsp;&nbsp;:&nbsp;", "Famiglia : ",
                          stampa ? TestoStampa(gas.Famiglia) : std::to_string(gas.Famiglia)));
  campi.push_back(Campo(8, "Massa volumica: ", "Massa volumica&nbsp;:&nbsp;", "Massa volumica : ",
                        FormatCopertina(gas.MassaVolumica, " ##0.###")));
  campi.push_back(Campo(9, "Viscosita': ", "Viscosit&agrave&nbsp;:&nbsp;", "Viscosità : ",
                        FormatCopertina(static_cast<double>(gas.Viscosita) * 1000000.0, " ##0.##")));
  if (!rete) {
    campi.push_back(Campo(10, "Potere Calorifico inferiore: ", "Potere Calorifico inferiore&nbsp;:&nbsp;",
                          "Potere Calorifico inferiore : ", FormatCopertina(gas.PCI, " ##0.## MJ/mc")));
    campi.push_back(Campo(11, "Potere Calorifico superiore: ", "Potere Calorifico superiore&nbsp;:&nbsp;",
                          "Potere Calorifico superiore : ", FormatCopertina(gas.PCS, " ##0.## MJ/mc")));
    const float pdc = PDCMassima();
    campi.push_back(Campo(12, "Perdita di pressione massima ammessa: ",
                          "Perdita di pressione massima ammessa&nbsp;:&nbsp;", "Perdita di pressione massima ammessa : ",
                          // The maximum as entered, decimals included: the judgement uses no other.
                          FormatCopertina(pdc, " ##0.###  Pa"),
                          FormatCopertina(pdc / 100.0f, stampa ? "##0.00 mbar)" : "##0.00 mbar")));
    campi.push_back(Campo(13, "Portata totale gas: ", "Portata totale gas&nbsp;:&nbsp;", "Portata totale gas : ",
                          FormatCopertina(primo.ID_P_TRONCO, " ##0.0  Nmc/h")));
    return campi;
  }
  const char* maschBar = stampa ? "##0.000 bar)" : "##0.000 bar";
  campi.push_back(Campo(14, "Pressione relativa iniziale: ", "Pressione relativa iniziale&nbsp;:&nbsp;",
                        "Pressione relativa iniziale : ",
                        FormatCopertina(PressioneIniziale, stampa ? " ##0.00 kPa" : " ##0.00  kPa"),
                        FormatCopertina(PressioneIniziale / 100.0, maschBar)));
  campi.push_back(Campo(15, "Pressione relativa minima finale: ", "Pressione relativa minima finale&nbsp;:&nbsp;",
                        "Pressione relativa minima finale : ", FormatCopertina(PressioneFinale, " ##0.00  kPa"),
                        FormatCopertina(PressioneFinale / 100.0, maschBar)));
  campi.push_back(Campo(16, "Velocità massima impostata: ", "Velocit&agrave massima impostata&nbsp;:&nbsp;",
                        "Velocità massima impostata: ", FormatCopertina(VelocitaMaxImpostata, " ##0.0  m/s")));
  campi.push_back(Campo(17, "Velocità massima calcolata: ", "Velocità massima calcolata&nbsp;:&nbsp;",
                        "Velocità massima calcolata: ",
                        GetVelocitaMassima() == TestoNonCalcolabile
                            ? std::string(" ") + TestoNonCalcolabile + "  m/s"
                            : FormatCopertina(static_cast<float>(StrToDouble(GetVelocitaMassima())), " ##0.00  m/s")));
  // Without simultaneity the total flow of the network cannot be recovered: a fault of the data,
  // reported by the run rather than printed as an infinite flow.
  if (primo.ID_CONTEMP == 0) throw ErroreReport("contemporaneità nulla sul tronco 1");
  const float totale = primo.ID_P_TRONCO / (static_cast<float>(primo.ID_CONTEMP) / 100.0f);
  campi.push_back(Campo(18, "Portata gas totale: ", "Portata gas&nbsp;:&nbsp;totale&nbsp;=&nbsp;",
                        "Portata gas : totale = ", FormatCopertina(totale, " ##0.0  Nmc/h")));
  campi.push_back(Campo(19, "Portata gas massima contemporanea: ", "massima contemporanea&nbsp;:&nbsp;",
                        "massima contemporanea : ", FormatCopertina(primo.ID_P_TRONCO, " ##0.0  Nmc/h")));
  return campi;
}

}  // namespace varnex
