// The platform words its message box buttons in the person's language. These
// are the words of Qt's own catalogs (qtbase_*.qm), which the window backend
// loads; the terminal backend reads them here. "&" marks the key that presses
// a button. English is the framework's own; Hong Kong and Singapore Chinese
// take the Traditional and Simplified rows through the lookup's fallback by
// script.
#include "res/box_button_words.h"

namespace res {
namespace {

// IDOK, IDCANCEL, IDYES and IDNO.
constexpr std::uint16_t kOk = 1, kCancel = 2, kYes = 6, kNo = 7;

constexpr StringEntry kWords[] = {
    {1028, kOk, "確定"},    {1028, kCancel, "取消"},       {1028, kYes, "是(&Y)"},   {1028, kNo, "否(&N)"},
    {1031, kOk, "OK"},      {1031, kCancel, "Abbrechen"},  {1031, kYes, "&Ja"},      {1031, kNo, "&Nein"},
    {1036, kOk, "OK"},      {1036, kCancel, "Annuler"},    {1036, kYes, "&Oui"},     {1036, kNo, "&Non"},
    {1040, kOk, "OK"},      {1040, kCancel, "Annulla"},    {1040, kYes, "&Sì"},      {1040, kNo, "&No"},
    {1041, kOk, "OK"},      {1041, kCancel, "キャンセル"}, {1041, kYes, "はい(&Y)"}, {1041, kNo, "いいえ(&N)"},
    {1042, kOk, "확인"},    {1042, kCancel, "취소"},       {1042, kYes, "예(&Y)"},   {1042, kNo, "아니요(&N)"},
    {1043, kOk, "OK"},      {1043, kCancel, "Annuleren"},  {1043, kYes, "&Ja"},      {1043, kNo, "&Nee"},
    {1049, kOk, "OK"},      {1049, kCancel, "Отмена"},     {1049, kYes, "&Да"},      {1049, kNo, "&Нет"},
    {2052, kOk, "确定"},    {2052, kCancel, "取消"},       {2052, kYes, "是(&Y)"},   {2052, kNo, "否(&N)"},
    {3082, kOk, "Aceptar"}, {3082, kCancel, "Cancelar"},   {3082, kYes, "&Sí"},      {3082, kNo, "&No"},
};

}  // namespace

std::span<const StringEntry> BoxButtonWords() { return kWords; }

}  // namespace res
