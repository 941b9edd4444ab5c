// The saved picture of the schema: whatever the network's size, the picture's view holds every
// segment, every label and the source.
#include "schema/figura.h"

#include "schema_prova.h"

namespace varnex::test {
namespace {

// The picture of the report files: 11000 x 8000 units at 15 units a pixel.
constexpr double Larghezza = 11000, Altezza = 8000;
const MetricaFigura Metrica{5, 11, 1.0 / 15};

std::vector<Link> Catena(int16_t n) {
  std::vector<Link> v;
  for (int16_t s = 1; s <= n; ++s) v.emplace_back(static_cast<int16_t>(s - 1), s < n ? s + 1 : 0, 0);
  return v;
}
std::vector<Link> Albero(int16_t n) {
  std::vector<Link> v;
  for (int16_t s = 1; s <= n; ++s)
    v.emplace_back(static_cast<int16_t>(s / 2), 2 * s <= n ? 2 * s : 0, 2 * s + 1 <= n ? 2 * s + 1 : 0);
  return v;
}

struct Caso {
  const char* nome;
  std::vector<Link> rete;
  int16_t svolta;  // turn code of every segment after the first
  int16_t adatta;  // the print dialog's fit-to-page flag
};
// A failing case names itself, not its bytes.
void PrintTo(const Caso& c, std::ostream* os) { *os << c.nome; }

class FiguraSchema : public SchemaTest, public ::testing::WithParamInterface<Caso> {};

TEST_P(FiguraSchema, ThePictureShowsEverySegmentItsLabelAndTheSource) {
  const Caso& c = GetParam();
  CostruisciRete(c.rete);
  for (int16_t s = 2; s <= Rete().NumTronchi; ++s) Tronco(s).CodiceSvolta = c.svolta;
  Disegna();  // the canvas first, as in the program: every segment gets its drawn length
  AdattaSchemaPagina = c.adatta;
  // Extents left over from an earlier, smaller network do not count.
  SchemaMaxX = SchemaMaxY = 100;
  const PianoFigura piano = PianificaFiguraSchema(Larghezza, Altezza, Metrica);
  const FinestraFigura& v = piano.finestra;
  // At least the standard picture; a larger network makes it larger.
  EXPECT_GE(v.larghezza, Larghezza);
  EXPECT_GE(v.altezza, Altezza);

  // The labels keep their size in units, whatever the picture's: they scale with the drawing.
  SuperficieRegistrata figura("picPrint", Larghezza, Altezza, Altezza, Metrica.larghezzaCarattere * 15,
                              Metrica.altezzaRiga * 15);
  DisegnaFiguraSchema(figura, piano);
  ASSERT_FALSE(figura.Vuota());
  EXPECT_GE(figura.MinX(), v.x) << c.nome;
  EXPECT_GE(figura.MinY(), v.y) << c.nome;
  EXPECT_LE(figura.MaxX(), v.Destra()) << c.nome;
  EXPECT_LE(figura.MaxY(), v.Basso()) << c.nome;
  // Every segment's number and the source are among what was drawn.
  const std::vector<std::string> testi = Testi(figura);
  for (int16_t s = 1; s <= Rete().NumTronchi; ++s) {
    const std::string n = std::to_string(s);
    EXPECT_TRUE(std::find_if(testi.begin(), testi.end(), [&](const std::string& t) {
                  return t == n || t == " " + n;
                }) != testi.end())
        << c.nome << " segment " << s;
  }
  // Every segment's diameter and length label too, with the print dialog's "fit to the page" or
  // without: that is a rule of the paper.
  size_t etichette = 0;
  for (const std::string& t : testi) etichette += t.rfind(" ø ", 0) == 0;
  EXPECT_EQ(etichette, static_cast<size_t>(Rete().NumTronchi)) << c.nome;
  EXPECT_EQ(AdattaSchemaPagina, c.adatta) << "the dialog's choice stays for the paper";
  bool sorgente = false;
  for (const auto& op : figura.operazioni)
    if (op.tipo == OperazioneDisegno::Tipo::Figura && op.figura == varnex::FiguraSchema::Sorgente0) sorgente = true;
  EXPECT_TRUE(sorgente) << c.nome;
  // The extents are this drawing's own.
  EXPECT_NE(SchemaMaxX, 100);
}

INSTANTIATE_TEST_SUITE_P(
    Reti, FiguraSchema,
    ::testing::Values(Caso{"catena36", Catena(36), 0, 0}, Caso{"scala55", Catena(55), 2, 0},
                      Caso{"albero68", Albero(68), 0, 0}, Caso{"catena55_adatta", Catena(55), 0, -1},
                      Caso{"albero68_adatta", Albero(68), 0, -1}, Caso{"sinistra36", Catena(36), 5, 0},
                      Caso{"uno", Catena(1), 0, 0}, Caso{"catena200_adatta", Catena(200), 0, -1},
                      Caso{"albero200_adatta", Albero(200), 0, -1}, Caso{"scala200", Catena(200), 2, 0}),
    [](const ::testing::TestParamInfo<Caso>& i) { return std::string(i.param.nome); });

TEST(FinestraFigura, ADrawingOnThePictureKeepsItsPlaceOneStickingOutIsMovedALargerOneScaled) {
  FinestraFigura f = FinestraCheContiene(500, 500, 9000, 7000, 11000, 8000, 100);
  EXPECT_EQ(f.x, 0);
  EXPECT_EQ(f.y, 0);
  EXPECT_EQ(f.larghezza, 11000);
  // Sticking out on both axes: centred on both.
  f = FinestraCheContiene(-2000, 1500, 5000, 8500, 11000, 8000, 100);
  EXPECT_DOUBLE_EQ(f.x + f.larghezza / 2, 1500);
  EXPECT_DOUBLE_EQ(f.y + f.altezza / 2, 5000);
  EXPECT_EQ(f.larghezza, 11000);
  // Only above the picture: centred in height, the left edge kept.
  f = FinestraCheContiene(500, -3000, 9000, 1000, 11000, 8000, 100);
  EXPECT_EQ(f.x, 0);
  EXPECT_DOUBLE_EQ(f.y + f.altezza / 2, -1000);
  f = FinestraCheContiene(0, 0, 43800, 1000, 11000, 8000, 100);
  EXPECT_DOUBLE_EQ(f.larghezza, 44000);
  EXPECT_DOUBLE_EQ(f.altezza, 32000);
  EXPECT_DOUBLE_EQ(f.x, -100);
  EXPECT_DOUBLE_EQ(f.y + f.altezza / 2, 500);
}

}  // namespace
}  // namespace varnex::test
