#include <gtest/gtest.h>

#include <vector>

#include "shell/mru.h"
#include "shell/settings.h"

namespace varnex {
namespace {

class RecentFiles : public ::testing::Test {
 protected:
  void SetUp() override { ImpostaImpostazioni(&store); }
  void TearDown() override { ImpostaImpostazioni(nullptr); }

  void Memorizza(const std::vector<std::string>& voci) {
    for (size_t i = 0; i < voci.size(); ++i) store.Scrivi("MRUFileList", "Item" + std::to_string(i + 1), voci[i]);
  }
  std::vector<std::string> Memorizzate() {
    std::vector<std::string> out;
    for (int i = 1; i <= 4; ++i) out.push_back(store.Leggi("MRUFileList", "Item" + std::to_string(i)).value_or("<none>"));
    return out;
  }
  static std::vector<std::string> Voci(const clsMRU& mru) {
    std::vector<std::string> out;
    for (int16_t i = 1; i <= 4; ++i) out.push_back(mru.GetItem(i));
    return out;
  }

  ImpostazioniInMemoria store;
};

struct CasoAggiunta {
  const char* nome;
  std::vector<std::string> prima;
  std::string aggiunto;
  std::vector<std::string> dopo;
};

TEST_F(RecentFiles, AddItemTable) {
  const std::vector<CasoAggiunta> casi = {
      {"listed third moves to the top, fourth stays",
       {"/a.RTG", "/b.RTG", "/c.RTG", "/d.RTG"}, "/c.RTG", {"/c.RTG", "/a.RTG", "/b.RTG", "/d.RTG"}},
      {"already first changes nothing",
       {"/a.RTG", "/b.RTG", "/c.RTG", "/d.RTG"}, "/a.RTG", {"/a.RTG", "/b.RTG", "/c.RTG", "/d.RTG"}},
      {"listed last moves up",
       {"/a.RTG", "/b.RTG", "/c.RTG", "/d.RTG"}, "/d.RTG", {"/d.RTG", "/a.RTG", "/b.RTG", "/c.RTG"}},
      {"a fifth distinct file drops the oldest",
       {"/a.RTG", "/b.RTG", "/c.RTG", "/d.RTG"}, "/e.RTG", {"/e.RTG", "/a.RTG", "/b.RTG", "/c.RTG"}},
      {"other letter case is another file",
       {"/a.RTG", "/b.RTG", "", ""}, "/A.rtg", {"/A.rtg", "/a.RTG", "/b.RTG", ""}},
      {"empty text goes on top as an entry",
       {"/a.RTG", "/b.RTG", "/c.RTG", "/d.RTG"}, "", {"", "/a.RTG", "/b.RTG", "/c.RTG"}},
      {"into an empty list", {"", "", "", ""}, "/x y, z.RTG", {"/x y, z.RTG", "", "", ""}},
      // An empty entry is "listed": adding empty text takes the first empty place.
      {"empty text with an empty entry listed", {"/a.RTG", "", "/c.RTG", ""}, "", {"", "/a.RTG", "/c.RTG", ""}},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    store = ImpostazioniInMemoria();
    Memorizza(c.prima);
    clsMRU mru;
    mru.Setup("MRUFileList", 4);
    EXPECT_EQ(Voci(mru), c.prima);
    mru.AddItem(c.aggiunto);
    EXPECT_EQ(Voci(mru), c.dopo);
    // Written at once, all four keys.
    EXPECT_EQ(Memorizzate(), c.dopo);
  }
}

TEST_F(RecentFiles, NothingStoredGivesFourEmptyEntries) {
  clsMRU mru;
  mru.Setup("MRUFileList", 4);
  EXPECT_EQ(mru.Count(), 4);
  EXPECT_EQ(Voci(mru), (std::vector<std::string>{"", "", "", ""}));
  EXPECT_TRUE(store.Valori().empty()) << "setting up reads only";
}

TEST_F(RecentFiles, GetItemOutsideTheListIsEmpty) {
  Memorizza({"/a", "/b", "/c", "/d"});
  clsMRU mru;
  mru.Setup("MRUFileList", 4);
  EXPECT_EQ(mru.GetItem(4), "/d");
  EXPECT_EQ(mru.GetItem(5), "");
  EXPECT_EQ(mru.GetItem(0), "");
  EXPECT_EQ(mru.GetItem(-1), "");
}

TEST_F(RecentFiles, SearchItemIsExactAndCaseSensitive) {
  Memorizza({"/p/Uno.RTG", "/p/due.RTG", "", ""});
  clsMRU mru;
  mru.Setup("MRUFileList", 4);
  EXPECT_EQ(mru.SearchItem("/p/due.RTG"), 2);
  EXPECT_EQ(mru.SearchItem("/p/uno.RTG"), 0);
  EXPECT_EQ(mru.SearchItem("/p/due.RTG "), 0);
  EXPECT_EQ(mru.SearchItem(""), 3);
}

TEST_F(RecentFiles, ReleaseSavesTheListAndOtherSectionsStayApart) {
  {
    clsMRU mru;
    mru.Setup("AltraLista", 2);
    store = ImpostazioniInMemoria();  // the store lost its values meanwhile
  }
  EXPECT_EQ(store.Leggi("AltraLista", "Item1"), std::optional<std::string>(""));
  EXPECT_EQ(store.Leggi("AltraLista", "Item2"), std::optional<std::string>(""));
  EXPECT_FALSE(store.Leggi("AltraLista", "Item3"));
  EXPECT_FALSE(store.Leggi("MRUFileList", "Item1"));
}

TEST_F(RecentFiles, NeverSetUpListTouchesNothing) {
  { clsMRU mru; }
  EXPECT_TRUE(store.Valori().empty());
}

TEST(SettingsStore, DefaultsAndInMemoryStoreWhenNothingInstalled) {
  ImpostaImpostazioni(nullptr);
  EXPECT_EQ(GetSetting("Varnex", "HintLast", "0"), "0");
  EXPECT_TRUE(SaveSetting("Varnex", "HintLast", "3"));
  EXPECT_EQ(GetSetting("Varnex", "HintLast", "0"), "3");
  EXPECT_EQ(GetSetting("varnex", "HintLast", "x"), "x") << "sections are case-sensitive";
  ImpostaImpostazioni(nullptr);
  EXPECT_EQ(GetSetting("Varnex", "HintLast", "0"), "0") << "uninstalling empties the in-memory store";
}

}  // namespace
}  // namespace varnex
