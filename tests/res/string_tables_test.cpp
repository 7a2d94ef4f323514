// The string tables: every text of every language, byte for byte, including
// the trailing line feed and blanks some translations carry.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "res/resource_tables.h"

namespace {

constexpr int kFirstId = 101;
constexpr int kIdCount = 18;
using Texts = std::array<const char*, kIdCount>;  // ids 101 to 118

const std::map<int, Texts>& ExpectedTexts() {
  static const std::map<int, Texts> texts = {
      {1028,
       {"關於 TAVRIN(&A)...", "是否儲存設定?", "請設定好串列埠，驅動程式類型，以及起始包率", "TAVRIN設定讀取錯誤!",
        "請先安裝TAVRIN並且確定正確運作", "TAVRIN設定寫入錯誤", "TAVRIN 設定", "系統串列埠", "安裝驅動程式類型",
        "初始掃描鮑率", "PnP 監控", ">> 加入監控清單 >>", "<< 從監控清單移除 <<", "TAVRIN 監控清單", "套用設定", "離開",
        "重新啟動 TAVRIN", "TAVRIN 重新啟動完成"}},
      {1031,
       {"?? TAVRIN(&A)...", "Einstellungen vor Beenden speichern?",
        "Bitte COM-Port, Treiber-Typ und Start-Baudrate wählen!", "Fehler beim Lesen der TAVRIN-Einstellungen!",
        "Bitte installieren Sie TAVRIN und starten Sie den Treiber!", "Fehler beim Schreiben der TAVRIN-Einstellungen!",
        "TAVRIN-Einstellungen", "Liste der verfügbaren COM-Schnittstellen", "Treiber-Typ", "Start-Baudrate wählen",
        "PnP-Abfrage", ">> zur Liste hinzufügen >>", "<< aus Liste entfernen <<", "TAVRIN Überwachungsliste",
        "Einstellungen anwenden", "Beenden", "Restart TAVRIN driver", "TAVRIN restart success!"}},
      {1033,
       {"?? TAVRIN(&A)...", "Save settings before quit?",
        "Please select COM port, driver type and initial scan baud rate!", "Read TAVRIN setting error!",
        "Please install TAVRIN and start the driver!", "Write TAVRIN setting error!", "TAVRIN settings",
        "Available COM list", "Driver type", "Init scan baud rate", "PnP polling", ">> Add to list >>",
        "<< Remove from list <<", "TAVRIN watch list", "Apply settings", "Quit", "Restart TAVRIN driver",
        "TAVRIN restart success!"}},
      {1036,
       {"?? TAVRIN(&A)...", "Sauvegarder les réglages avant de quitter ?",
        "Sélectionnez port COM, type de driver et taux de baud initial du scan", "Lire erreur de réglage TAVRIN",
        "Veuillez installer TAVRIN et démarrez le driver, s'l vous plait", "Ecrire erreur de réglage TAVRIN",
        "Réglages TAVRIN", "Liste COM disponible", "Type de driver", "taux de baud initial du scan",
        "Détection plug and play", ">> Ajouter à la liste >>", "<< Enlever de la liste <<",
        "Liste de surveillance TAVRIN", "Appliquez les réglages", "Quittez", "Restart TAVRIN driver",
        "TAVRIN restart success!"}},
      {1040,
       {"?? TAVRIN(&A)...", "Salvare prima di uscire?",
        "Si prega di selezionare la Porta COM, Driver e Scan Baud Rate iniziale",
        "Errore di lettura dei parametri di TAVRIN", "Prego installare TAVRIN e far partire il driver!",
        "Errore di scrittura dei parametri di TAVRIN", "Parametri TAVRIN", "Elenco COM disponibili", "Tipologia Driver",
        "Valore di scansione baud rate iniziale", "PnP polling", ">> aggiungere all'elenco >>",
        "<< Rimuovere dalla Lista <<", "Elenco di controllo TAVRIN", "Applica Paramentri", "Esci",
        "Restart TAVRIN driver", "TAVRIN restart success!"}},
      {1041,
       {"關於 TAVRIN(&A)...", "設定は保存しますか",
        "COMポート、ドライバータイプと初期スキャンボーレートを設定してください\n", "TAVRIN設定読み取りエラー",
        "TAVRINをインストールして動作を確かめてください", "TAVRIN設定エラー", "TAVRIN設定", "システムCOMポート",
        "ドライバータイプ", "初期スキャンボーレート", "PnP監視", ">> 監視リストに追加 >>", "<< 監視リストから削除除 <<",
        "TAVRIN監視リスト", "設定にアプライします", "止める", "重新?動 TAVRIN", "TAVRIN 重新?動完成"}},
      {1042,
       {"關於 TAVRIN(&A)...", "끝내기 전에 설정을 저장합니까?",
        "COM 포트, 드라이버 종류, 초기 스캔 속도를 선택바랍니다", "TAVRIN 설정 읽기 실패!",
        "TAVRIN를 설치하고 드라이버를 시작합니다.", "TAVRIN 설정 쓰기 실패!", "TAVRIN 설정", "사용가능한 COM 리스트",
        "드라이버 종류", "초기 스캔 속도", "PnP기능", ">> 리스트에 추가 >>", "<< 리스트에서 제거 <<",
        "TAVRIN 대기 리스트", "설정 적용", "끝내기", "重新?動 TAVRIN", "TAVRIN 重新?動完成"}},
      {1043,
       {"?? TAVRIN(&A)...", "Instellingen bewaren voordat programma wordt verlaten?",
        "AUB Com poort, driver type en baud rate selecteren", "Read TAVRIN instellingsfout!",
        "AUB TAVRIN installeren en driver starten!", "Write TAVRIN instellingsfout!", "TAVRIN instellingen",
        "Lijst met beschikbare COM poorten", "Driver type", "Scan baud rate initialiseren", "PnP polling",
        ">> aan lijst toevoegen >>", "<< uit lijst verwijderen <<", "TAVRIN bewakingslijst", "Instellingen toepassen",
        "Programma verlaten", "Restart TAVRIN driver", "TAVRIN restart success!"}},
      {1049,
       {"?? TAVRIN(&A)...", "Сохранить установки перед выходом?",
        "Пожалуйста выберите порт COM, тип драйвера и начальную скорость передачи информации",
        "Прочитайте ошибку установки TAVRIN!", "Пожалуйста установите TAVRIN и запустите драйвер!",
        "Напишите ошибку установки TAVRIN!", "Установки TAVRIN", "Доступные COM порты", "Тип драйвера",
        "Начальная скорость передачи информации ", "Контроль PnP", ">> Добавьте к списку >>", "<< Удалите из списка <<",
        "Список просмотра TAVRIN", "Применить установку", "Выйти", "Restart TAVRIN driver", "TAVRIN restart success!"}},
      {2052,
       {"?? TAVRIN(&A)...", "是否储存设定?", "请设定好串行埠，驱动程序类型，以及起始包率", "TAVRIN设定读取错误!",
        "请先安装TAVRIN并且确定正确运作", "TAVRIN设定写入错误", "TAVRIN 设定", "系统串行端口", "安装驱动程序类型",
        "初始扫描鲍率", "PnP 监控", ">> 加入监控清单 >>", "<< 从监控清单移除 <<", "TAVRIN 监控清单", "套用设定", "离开",
        "Restart TAVRIN driver", "TAVRIN restart success!"}},
      {3076,
       {"關於 TAVRIN(&A)...", "是否儲存設定?", "請設定好串列埠，驅動程式類型，以及起始包率", "TAVRIN設定讀取錯誤!",
        "請先安裝TAVRIN並且確定正確運作", "TAVRIN設定寫入錯誤", "TAVRIN 設定", "系統串列埠", "安裝驅動程式類型",
        "初始掃描鮑率", "PnP 監控", ">> 加入監控清單 >>", "<< 從監控清單移除 <<", "TAVRIN 監控清單", "套用設定", "離開",
        "重新啟動 TAVRIN", "TAVRIN 重新啟動完成"}},
      {3082,
       {"?? TAVRIN(&A)...", "¿Salvar datos antes de salir?",
        "Por favor seleccione el puerto COM, Tipo de driver y baud rate ", "Error de lectura de TAVRIN",
        "Por favor instale TAVRIN e inicialize el Driver", "Error de lectura en TAVRIN", "Opciones TAVRIN",
        "lista de COMS disponibles", "Tipo de Driver", "Inicializando escaneo de Baud Rate", "PnP polling",
        ">> Añadir a la lista >>", "<< Quitar de la lista <<", "Lista de dispositivos TAVRIN detectados",
        "Aplicar Opciones", "Salir", "Restart TAVRIN driver", "TAVRIN restart success!"}},
      {4100,
       {"?? TAVRIN(&A)...", "是否儲存設定?", "請設定好串列埠，驅動程式類型，以及起始包率", "TAVRIN設定讀取錯誤!",
        "請先安裝TAVRIN並且確定正確運作", "TAVRIN設定寫入錯誤", "TAVRIN 設定", "系統序列埠", "安裝驅動程式類型",
        "初始掃描鮑率", "PnP 監控", ">> 加入監控清單 >>", "<< 從監控清單移除 <<", "TAVRIN 監控清單", "套用設定", "離開",
        "Restart TAVRIN driver", "TAVRIN restart success!"}},
  };
  return texts;
}

// The stored text of string `id` in `language`; fails the test when it is not
// there exactly once.
std::string StoredText(int language, int id) {
  const res::StringEntry* found = nullptr;
  for (const res::StringEntry& entry : res::Strings()) {
    if (entry.language != language || entry.id != id) continue;
    EXPECT_EQ(found, nullptr) << "string " << id << " twice in language " << language;
    found = &entry;
  }
  if (!found) {
    ADD_FAILURE() << "string " << id << " missing in language " << language;
    return {};
  }
  return found->text;
}

TEST(ResourceStrings, EveryTextOfEveryLanguage) {
  for (const auto& [language, texts] : ExpectedTexts())
    for (int i = 0; i < kIdCount; ++i)
      EXPECT_EQ(StoredText(language, kFirstId + i), texts[static_cast<std::size_t>(i)])
          << "language " << language << ", string " << kFirstId + i;
}

TEST(ResourceStrings, ThirteenLanguagesWithIds101To118AndNothingElse) {
  std::set<std::pair<int, int>> seen;
  for (const res::StringEntry& entry : res::Strings()) {
    EXPECT_TRUE(ExpectedTexts().count(entry.language)) << "unexpected language " << entry.language;
    EXPECT_GE(entry.id, kFirstId);
    EXPECT_LT(entry.id, kFirstId + kIdCount);
    EXPECT_TRUE(seen.insert({entry.language, entry.id}).second) << entry.language << "/" << entry.id;
  }
  EXPECT_EQ(seen.size(), 13u * kIdCount);
}

TEST(ResourceStrings, TrailingLineFeedAndBlanksAreKept) {
  EXPECT_EQ(StoredText(1041, 103).back(), '\n');
  EXPECT_EQ(StoredText(1049, 110).back(), ' ');
  EXPECT_EQ(StoredText(3082, 103).back(), ' ');
  for (const res::StringEntry& entry : res::Strings()) {
    const std::string text = entry.text;
    ASSERT_FALSE(text.empty());
    const bool noted = (entry.language == 1041 && entry.id == 103) || (entry.language == 1049 && entry.id == 110) ||
                       (entry.language == 3082 && entry.id == 103);
    if (!noted) {
      EXPECT_NE(text.back(), ' ') << entry.language << "/" << entry.id;
    }
    EXPECT_EQ(text.find('\n'), noted && entry.language == 1041 ? text.size() - 1 : std::string::npos)
        << entry.language << "/" << entry.id;
  }
}

// The languages table's notes, checked against the stored texts of 1033 and
// 1028 rather than against the typed table above.
TEST(ResourceStrings, TextsBorrowedFromEnglishOrTraditionalChinese) {
  const std::map<int, std::set<int>> asInEnglish = {
      {1031, {101, 117, 118}}, {1036, {101, 117, 118}}, {1040, {101, 111, 117, 118}}, {1043, {101, 109, 111, 117, 118}},
      {1049, {101, 117, 118}}, {2052, {101, 117, 118}}, {3082, {101, 111, 117, 118}}, {4100, {101, 117, 118}},
  };
  for (const auto& [language, ids] : asInEnglish)
    for (int id : ids) EXPECT_EQ(StoredText(language, id), StoredText(1033, id)) << language << "/" << id;

  EXPECT_EQ(StoredText(1041, 101), StoredText(1028, 101));
  EXPECT_EQ(StoredText(1042, 101), StoredText(1028, 101));
  EXPECT_EQ(StoredText(1042, 117), StoredText(1041, 117));
  EXPECT_EQ(StoredText(1042, 118), StoredText(1041, 118));
  for (int id = kFirstId; id < kFirstId + kIdCount; ++id) {
    EXPECT_EQ(StoredText(3076, id), StoredText(1028, id)) << id;
    if (id != 101 && id != 108 && id != 117 && id != 118) {
      EXPECT_EQ(StoredText(4100, id), StoredText(1028, id)) << id;
    }
  }
}

TEST(ResourceStrings, QuestionMarksStandWhereTheyStand) {
  EXPECT_EQ(StoredText(1033, 101).substr(0, 3), "?? ");
  EXPECT_EQ(StoredText(1041, 117), "重新?動 TAVRIN");
  EXPECT_EQ(StoredText(1041, 118), "TAVRIN 重新?動完成");
}

// The traditional Chinese table repeats the template texts, except that the
// baud label reads 鮑率 where the template has 包率.
TEST(ResourceStrings, TraditionalChineseMatchesTheMainDialogTemplate) {
  const res::DialogTemplate* dialog = res::FindDialog(102);
  ASSERT_NE(dialog, nullptr);
  const std::pair<int, int> labels[] = {{1029, 107}, {1024, 108}, {1025, 109}, {1028, 111}, {1007, 112},
                                        {1009, 113}, {1026, 114}, {1018, 115}, {1, 116},    {1021, 117}};
  for (const auto& [controlId, stringId] : labels) {
    bool found = false;
    for (const res::ControlTemplate& control : dialog->controls) {
      if (control.id != controlId) continue;
      found = true;
      EXPECT_EQ(std::string(control.text), StoredText(1028, stringId)) << "control " << controlId;
    }
    EXPECT_TRUE(found) << controlId;
  }
  EXPECT_EQ(StoredText(1028, 110), "初始掃描鮑率");
}

}  // namespace
