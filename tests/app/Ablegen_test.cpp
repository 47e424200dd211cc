#include "app/Ablegen.h"
#include "DropDaten.h"
#include "TestDateien.h"

#include <gtest/gtest.h>
#include <shellapi.h>

TEST(AbgelegteZeilen, EachModeMakesItsKindOfLine) {
    TestOrdner t;
    Schreiben(t / L"Daten\\a.txt", "a");
    Schreiben(t / L"Daten\\Brief.DOCX", "b");
    Schreiben(t / L"Daten\\Makefile", "m");
    OrdnerAnlegen(t / L"Bilder");
    HDROP drop = DropDaten({t / L"Daten\\a.txt", t / L"Bilder", t / L"Daten\\Brief.DOCX",
                            t / L"Daten\\Makefile", t / L"fehlt.txt"});
    EXPECT_EQ(AbgelegteZeilen(drop, dmDateien),
              (std::vector<String>{t / L"Daten\\a.txt", t / L"Daten\\Brief.DOCX", t / L"Daten\\Makefile"}));
    EXPECT_EQ(AbgelegteZeilen(drop, dmVerzeichnisse),
              (std::vector<String>{t / L"Daten\\", t / L"Bilder", t / L"Daten\\", t / L"Daten\\"}));
    EXPECT_EQ(AbgelegteZeilen(drop, dmErweiterungen), (std::vector<String>{L".txt", L".DOCX", L""}));
    EXPECT_TRUE(AbgelegteZeilen(drop, dmKeiner).empty());
    EXPECT_TRUE(AbgelegteZeilen(drop, 7).empty());
    DragFinish(drop);
}
