// The catalogue table. Each text is the program's built-in Czech wording,
// character for character, including leading and trailing blanks where a
// text is joined with a variable part (a file name, a port, a list).

#include "ui/language/catalogue/Catalogue.h"

#include <unordered_set>

namespace rq7 {

namespace {

// clang-format off
constexpr CatalogueEntry kEntries[] = {
    // Messages.
    {"msg001", "Při načítání nastavení programu ze souboru "},
    {"msg002", " nastala chyba."},
    {"msg003", "Převádím data ..."},
    {"msg004", "Data ze souboru "},
    {"msg005", " byla úspěšně načtena."},
    {"msg006", "Data v souboru "},
    {"msg007", " nejsou v pořádku - neodpovídají formátu EEPROM."},
    {"msg008", "Při ukládání nastavení programu do souboru "},
    {"msg009", " nastala chyba."},
    {"msg010", "Nastala chyba při převodu dat."},
    {"msg011", "Data nebyla úspěšně načtena z EEPROM. Došlo k chybě při načítání bloku dat."},
    {"msg012", "Načítání dat z EEPROM do počítače bylo stornováno."},
    {"msg013", "Převádím data ..."},
    {"msg014", "Data byla úspěšně načtena z EEPROM."},
    {"msg015", "Data nebyla úspěšně načtena z EEPROM. EEPROM zřejmě není naprogramována."},
    {"msg018", "Velikost dat v nastavení ("},
    {"msg019", ") je větší než je možno vložit do EEPROM ("},
    {"msg021", "Data nebyla úspěšně uložena do EEPROM. Došlo k chybě při ukládání bloku do EEPROM."},
    {"msg022", "Ukládání dat z počítače do EEPROM bylo stornováno."},
    {"msg023", "Data byla úspěšně uložena do EEPROM."},
    {"msg024", "Data nebyla úspěšně uložena do EEPROM. Nastala chyba při převodu dat z formuláře nastavení."},
    {"msg025", "Nelze otevřít port "},
    {"msg026", "Na zařízení stiskněte tlačítko \"A1 VYP\" a vyčkejte, než zelená LED \"STATUS\" přestane blikat a bude svítit trvale. Poté potvrďte \"OK\"."},
    {"msg027", "Zapněte zařízení. Program se pokouší navázat komunikaci."},
    {"msg028", "Připojené zařízení není známo. Je sice povoleno ho naprogramovat, ale za způsobené chyby není ručeno."},
    {"msg028b", "Možná zařízení jsou: "},
    {"msg030", "Touto verzí programu lze naprogramovat pouze zařízení s procesorem verze "},
    {"msg031", " a vyšší."},
    {"msg032", "Při pokusu aktivovat spojení nastala chyba."},
    {"msg033", "Při deaktivaci spojení došlo k chybě. Zařízení je zřejmě stále v programovacím módu. Mám přesto přejít do \"Neaktivního stavu\"?"},
    {"msg034", "Neznámá chyba při překladu dat."},
    {"msg035", "Tento soubor již existuje. Mám ho přepsat?"},
    {"msg036", "Ukládám nastavení do souboru "},
    {"msg037", "Telefonní číslo je zadáno chybně. Smí obsahovat jen číslice 0 až 9, na začátku případně znak +."},
    {"msg038", "Zařízení nebylo deaktivováno a je zřejmě stále v programovacím módu. Má se zařízení před ukončením programu deaktivovat?"},
    {"msg039", "Tento text může obsahovat pouze tyto znaky: "},
    {"msg040", "Název stavu 0 nesmí být stejný jako název stavu 1."},
    {"msg041", "Názvy výstupů ani názvy stavů výstupů se nesmějí shodovat a nesmí být ani předponou jiného názvu."},
    {"msg042", "Toto pole může obsahovat pouze tyto znaky: "},
    {"msg044", "Příkaz nesmí být žádné z těchto klíčových slov (ani jejich předpony): "},
    {"msg045", "PIN je zadán chybně!"},
    {"msg046", "Telefonní číslo servisního centra je zadáno chybně!"},
    {"msg047", "Ukládám data z počítače do EEPROM."},
    {"msg048", "Načítám data z EEPROM do počítače."},
    {"msg049", "Načítám nastavení ze souboru "},
    {"msg065", "Soubor je kratší, než udává jeho záhlaví: nastavení v něm nejsou celá."},
    {"msg50", "UTO je zadáno chybně."},
    {"msg051", "Pokud není zadáno telefonní číslo, musí být zaškrtávací pole Příjem nezaškrtnuté."},
    {"msg052", "Pokud není zadáno telefonní číslo, musí být zaškrtávací pole Poplach nezaškrtnuté."},
    {"msg053", "Pokud není zadáno telefonní číslo, musí být zaškrtávací pole Události nezaškrtnuté."},
    {"msg060", "Toto pole může obsahovat pouze celé číslo od 0 do 255."},
    {"msg100", "Data nebyla úspěšně načtena z EEPROM. Nastavení v EEPROM přesahuje její velikost."},
    {"msg103", "Zařízení neodpovídá na dotazy v pořadí, v jakém je dostalo, takže jeho odpovědi nelze spolehlivě přiřadit. Přenos dat byl ukončen a nic z toho, co zařízení poslalo, nebylo převzato."},
    {"msg090", "Nastavení bylo změněno a dosud není uloženo. Chcete změny uložit do souboru?"},
    {"msg091", "Původní nastavení zařízení se pro zálohu nepodařilo načíst. Zápis do zařízení nebyl zahájen."},
    {"msg092", "Zálohu původního nastavení zařízení se nepodařilo uložit do souboru "},
    {"msg093", ". Zápis do zařízení nebyl zahájen."},
    {"msg094", "Zálohuji původní nastavení zařízení ..."},
    {"msg095", "Zařízení neobsahuje platné nastavení, záloha se nevytváří."},
    {"msg096", "Původní nastavení zařízení bylo zálohováno do souboru "},
    {"msg097", "Zálohování bylo přerušeno. Zápis do zařízení nebyl zahájen."},

    // The serial port: lost connection, why it does not open, waiting for the device.
    {"msg070", "Spojení s portem bylo ztraceno (převodník byl odpojen nebo port zavřen). Zařízení je nyní neaktivní."},
    {"msg071", "Port %1 v tomto počítači neexistuje."},
    {"msg072", "Připojené USB převodníky: %1"},
    {"msg073", "Žádný USB převodník není připojen."},
    {"msg074", "Port %1 právě používá jiný program: %2 (PID %3). Ukončete ho a aktivujte znovu."},
    {"msg075", "Port %1 právě používá jiný program. Ukončete ho a aktivujte znovu."},
    {"msg076", "Nemáte oprávnění číst a zapisovat port %1. Přístup k němu má skupina %2: přidejte se do ní příkazem %3 a pak se odhlaste a znovu přihlaste."},
    {"msg077", "Nemáte oprávnění číst a zapisovat port %1. Do skupiny %2, která k němu má přístup, už patříte, ale až od posledního přihlášení: odhlaste se a znovu přihlaste."},
    {"msg078", "Nemáte oprávnění číst a zapisovat port %1 a žádná skupina k němu nemá přístup pro čtení i zápis (oprávnění %2). Přístup může povolit správce systému."},
    {"msg079", "Port %1 je zamčen souborem %2, který zanechal program, jenž už neběží (PID %3). Odstraňte ho příkazem %4"},
    {"msg080", "Systém hlásí: %1"},
    {"msg085", "Port %1 je zamčen souborem %2, který nepatří žádnému běžícímu programu (je poškozený nebo nikam nevede). Odstraňte ho příkazem %3"},
    {"msg086", "Port %1 nebyl otevřen: na místě jeho souboru zámku %2 je něco jiného než soubor (složka, roura nebo zařízení). Odstraňte to příkazem %3"},
    {"msg087", "Port %1 právě používají jiné programy: %2. Ukončete je a aktivujte znovu."},
    {"msg088", "Záznam komunikace nelze zapisovat (%1), přenos pokračuje bez něj."},
    {"msg098", "Zálohuji nastavení zařízení…"},
    {"msg099", "Původní nastavení zařízení je zálohováno v souboru %1"},
    {"msg101", "Zařízení teď nemá platné nastavení. Obnovíte ho zápisem zálohy %1 do zařízení."},
    {"msg102", "Zařízení teď nemá platné nastavení: zapište do něj nastavení znovu."},
    {"msg081", "Čekám na odpověď zařízení: %1 s"},
    {"msg082", "Z portu %1 zatím nepřišel žádný bajt. Zkontrolujte kabel, zda je zařízení napájeno a jeho tlačítko máte v dosahu, a zda je vybrán správný port."},
    {"msg083", "Port %1 přijímá data, která nejsou od zařízení RQ7 (%2 neplatných bajtů): je připojeno jiné zařízení, nebo linka pracuje jinou rychlostí. Zkontrolujte, zda je vybrán správný port."},
    {"msg084", "Zařízení neodpovědělo do %1 s."},

    // Connection state shown on the main window.
    {"strDeactivated", "Neaktivní"},
    {"strActivated", "Aktivní"},
    {"strActError", "Chybné zařízení"},

    // Main window.
    {"btActivate", "&Aktivovat"},
    {"btDEActivate", "&Deaktivovat"},
    {"lblMainForm", "Inicializační program pro zařízení RQ7"},
    {"lblCommFrame", "Komunikace počítače se zařízením"},
    {"lblCommPort", "Sériový port:"},
    {"tttCommPort", "Sériový port počítače, ke kterému je připojeno zařízení"},
    {"strPortAbsent", "v tomto počítači není"},
    {"lblConnection", "Spojení"},
    {"lblInfoFrame", "Informace o připojeném zařízení"},
    {"lblProduct", "Produkt:"},
    {"lblVersion2", "Verze:"},
    {"lblModem", "Typ modemu:"},
    {"lblMemSize", "Velikost paměti:"},
    {"lblMemUsage", "Velikost nastavení:"},
    {"lblMemFree", "Volné místo:"},
    {"lblButFrame", "Nastavení zařízení"},
    {"chkCheckSaving", "Kontrolovat zápis do zařízení"},
    {"tttLoadFile", "Načíst nastavení zařízení ze s&ouboru"},
    {"tttSaveFile", "&Uložit nastavení zařízení do souboru"},
    {"tttLoadDevice", "Načíst nastavení z&e zařízení"},
    {"tttSaveDevice", "Ulož&it nastavení do zařízení"},
    {"tttPrint", "&Tisk nastavení zařízení"},
    {"tttBackupOpen", "Otevřít &zálohu…"},
    {"btSaveChanges", "&Uložit"},
    {"btDiscardChanges", "&Zahodit"},
    {"titleNewSettings", "Nové nastavení"},
    {"lblProgFrame", "Program"},
    {"btInfo", "&Nastavení"},
    {"btEnd", "U&končit"},
    {"tabMain", "Všeo&becné"},
    {"tabTC", " Tele&fonní čísla"},
    {"tabDInp", " &Logické vstupy"},
    {"tabDOut", " Logické výstup&y"},

    // General page and the column headings of the three tables.
    {"lblFrameInit", "Inicializace zařízení"},
    {"lbljmenostanice", "Jméno stanice:"},
    {"lblPIN", "PIN:"},
    {"lblSCSA", "Telefonní číslo servisního centra:"},
    {"lblFrameSMS", "SMS zprávy"},
    {"lblVP1", "Doba platnosti SMS zprávy je"},
    {"lblVP2", "dnů (1-30)."},
    {"chkBezpecRez", "Používat bezpečný režim"},
    {"chkPrepnoutJTS", "Přepnout poplachovou ústřednu do JTS, pokud ústředna vytočí číslo"},
    {"chkOdpovidatT0", "Hlášení o stavu posílat i na telefonní číslo T0"},
    {"chkPrepnoutNP", "Hlášení o nepovoleném přístupu posílat i na telefonní číslo T0"},
    {"chkNotAuth", "Posílat hlášení, že není povolen přístup"},
    {"lbltcName1", "Telefonní číslo"},
    {"lbltcName2", " "},
    {"lblTCPrijem1", "Akceptovat příkazy"},
    {"lblTCPrijem2", "z tohoto čísla"},
    {"lblTCPoplach1", "Odesílat hlášení"},
    {"lblTCPoplach2", "při poplachu"},
    {"lblTCUdalost1", "Odesílat"},
    {"lblTCUdalost2", "hlášení"},
    {"lblTCUTO", "Výchozí UTO:"},
    {"valUTO", "+420"},
    {"lblDInpName1", "Název"},
    {"lblDInpName2", "vstupu"},
    {"lblDInpStates", "Název stavu"},
    {"lblDInpStateOff1", "vypnuto"},
    {"lblDInpStateOff2", "0"},
    {"lblDInpStateOn1", "zapnuto"},
    {"lblDInpStateOn2", "1"},
    {"lblDInpChState1", "Text hlášení při přechodu stavu"},
    {"lblDInpChState2", "(zda posílat + text hlášení)"},
    {"lblDInpChSLH", "0->1"},
    {"lblDInpChSHL", "1->0"},
    {"lblDInpNeg1", "Negovat"},
    {"lblDInpNeg2", "hodnoty"},
    {"lblDInpZpr1", "Uvádět"},
    {"lblDInpZpr2", "v hlášení"},
    {"lblDOutName1", "Název"},
    {"lblDOutName2", "výstupu"},
    {"lblDOutStates", "Název stavu"},
    {"lblDOutStateOff1", "vypnuto"},
    {"lblDOutStateOff2", "0"},
    {"lblDOutStateOn1", "zapnuto"},
    {"lblDOutStateOn2", "1"},
    {"lblDOutNeg1", "Negovat"},
    {"lblDOutNeg2", "hodnoty"},
    {"lblDOutZpr1", "Uvádět"},
    {"lblDOutZpr2", "v hlášení"},
    {"lblButtonCh", "Možnosti"},

    // Row dialogs (captions and the texts only the dialogs use).
    {"lblTC", "Telefonní číslo"},
    {"lblDinp", "Logický vstup"},
    {"lblDOut", "Logický výstup"},
    {"lblDInpChSLHf", "Při změně stavu 0->1 posílat hlášení:"},
    {"lblDInpChSHLf", "Při změně stavu 1->0 posílat hlášení:"},
    {"btOK", "&OK"},
    {"btCancel", "&Storno"},

    // About window.
    {"lblAboutForm", "Settings and information about RQ7 Init"},
    {"lblVersion", "Version"},
    {"lblLanguage", "Language:"},
    {"btClose", "&Close"},

    // A series of devices and the installation record.
    {"msg120", "Záznam o instalaci se nepodařilo uložit: "},
    {"msg121", "Tabulku série nelze použít, žádné zařízení nebylo zapsáno: "},
    {"btSerie", "P&rogramovat sérii…"},
    {"lblSerieForm", "Programování série zařízení"},
    {"btSerieTable", "&Tabulka…"},
    {"btSerieNext", "&Programovat další"},
    {"btSerieRetry", "&Opakovat"},
    {"btSerieSkip", "&Vynechat"},
    {"colSerieRow", "Řádek"},
    {"colSerieId", "Označení"},
    {"colSerieStation", "Stanice"},
    {"colSerieStatus", "Stav"},
    {"strSerieWaiting", "čeká"},
    {"strSerieWritten", "zapsáno"},
    {"strSerieFailed", "chyba: "},
    {"strSerieSkipped", "vynecháno"},
    {"lblTechnician", "Technik:"},

    // Menu bar, the list of changes and differences.
    {"mnuFile", "&Soubor"},
    {"mnuOpen", "&Otevřít…"},
    {"mnuOpenRecent", "Otevřít &nedávné"},
    {"mnuOpenBackup", "Otevřít &zálohu…"},
    {"mnuSave", "&Uložit…"},
    {"mnuCompare", "&Porovnat s"},
    {"mnuCompareFile", "&souborem…"},
    {"mnuCompareBackup", "&zálohou…"},
    {"mnuCompareDevice", "za&řízením"},
    {"mnuQuit", "&Konec"},
    {"mnuEdit", "Ú&pravy"},
    {"mnuUndo", "&Zpět"},
    {"mnuRedo", "Z&novu"},
    {"mnuChanges", "Z&měny…"},
    {"mnuRevertAll", "&Vrátit vše"},
    {"mnuHelp", "Nápo&věda"},
    {"mnuManual", "&Příručka"},
    {"mnuAbout", "&O programu"},
    {"dlgChanges", "Změny od posledního načtení nebo uložení"},
    {"dlgCompare", "Porovnání: "},
    {"colField", "Pole"},
    {"colLoaded", "Načteno nebo uloženo"},
    {"colWindow", "V okně"},
    {"colDevice", "Zařízení"},
    {"btTake", "&Převzít vybrané"},
    {"btTakeAll", "Převzít &vše"},
    {"btRevert", "&Vrátit vybrané"},
    {"btRevertAll", "Vrátit v&še"},
    {"capText", "text"},
    {"capDigit", "číslice"},
    {"capImpulse", "Příkaz pro vyslání impulsu"},
    {"capImpulseLength", "Doba trvání impulsu"},
    {"msg130", "Nastavení se neliší."},
    {"msg131", "Porovnat se zařízením lze jen s aktivním zařízením. Nejprve je aktivujte."},
    {"msg132", "Soubor již neexistuje: "},
    {"msg133", "Přetáhněte do okna jeden soubor nastavení (*.eep)."},
};
// clang-format on

} // namespace

const std::vector<CatalogueEntry>& catalogue() {
    static const std::vector<CatalogueEntry> entries(std::begin(kEntries), std::end(kEntries));
    return entries;
}

std::vector<std::string> catalogueKeys() {
    std::vector<std::string> keys;
    keys.reserve(catalogue().size());
    for (const CatalogueEntry& entry : catalogue())
        keys.emplace_back(entry.key);
    return keys;
}

bool inCatalogue(std::string_view key) {
    static const std::unordered_set<std::string_view> keys = [] {
        std::unordered_set<std::string_view> all;
        for (const CatalogueEntry& entry : catalogue())
            all.insert(entry.key);
        return all;
    }();
    return keys.count(key) != 0;
}

} // namespace rq7
