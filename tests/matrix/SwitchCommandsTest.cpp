#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <set>
#include <string>

#include "matrix/SwitchCommands.h"
#include "tests/matrix/MatrixFixture.h"

using namespace matrixtest;

namespace {

struct SwitchCase {
  const char* name;
  Console setup;
  int outputIndex;
  int input;
  const char* expected;
  const char* how = "";  // the checksum as computed by hand: the bytes that were added
};

// The case's own words where a failure names its parameter; its bytes would include pointers.
void PrintTo(const SwitchCase& c, std::ostream* os) { *os << c.name; }

// With no other numbers given: id 1, bases 1, output index 2 (output 3), input 5.
// The hand cases use id text "07", bases out 3 / in 2, output index 11 (o 0C, o0 0B) and input
// 31 (i 1F, i0 1E).
const SwitchCase kSwitchCases[] = {
    // ---- Video list ----
    {"VINET first pair", Av("VINET"), 0, 1, "V: FC 01 00 00 00 01 7E"},
    {"VINET", Av("VINET"), 2, 5, "V: FC 01 00 04 02 01 04"},
    {"VINET hand", Av("VINET").Ids("07"), 11, 31, "V: FC 01 00 1E 0B 01 27", "(FC+01+00+1E+0B+01)=127 &7F"},
    {"PELCO first pair", Av("PELCO"), 0, 1, "V: \"0Ma0#a\""},
    {"PELCO hand", Av("PELCO").Ids("07"), 11, 31, "V: \"11Ma30#a\""},
    {"ACV", Av("ACV"), 2, 5, "V: F4 05 21 03 00 00 29"},
    {"ACV hand", Av("ACV").Ids("07"), 11, 31, "V: F4 1F 21 0C 00 00 4C", "1F+21+0C+00+00"},
    {"Infinova hand", Av("Infinova").Ids("07").Bases("3", "2"), 11, 31, "V: \"14Ma31#a\"", "3+11, input unbased"},
    {"Samplex bases 1", Av("Samplex").Ids("01"), 9, 5, "V: \"PA01SW0510NT\""},
    {"Samplex bases 0", Av("Samplex").Ids("01").Bases("0", "0"), 9, 5, "V: \"PA01SW049NT\""},
    {"Samplex hand", Av("Samplex").Ids("07").Bases("3", "2"), 11, 31, "V: \"PA07SW3214NT\"", "2+30, 3+11"},
    {"shenshiyin", Av("shenshiyin"), 2, 5, "V: F6 88 00 05 03 01 11"},
    {"shenshiyin input 200", Av("shenshiyin"), 2, 200, "V: F6 88 80 48 03 01 54"},
    {"shenshiyin hand", Av("shenshiyin").Ids("07"), 11, 31, "V: F6 88 00 1F 0C 01 34", "(88+00+1F+0C+01)=B4 &7F"},
    {"AV01", Av("AV01"), 2, 5, "V: 96 01 01 06 A4 02 04 02 04 4E"},
    {"AV01 hand", Av("AV01").Ids("07"), 11, 31, "V: 96 07 01 06 A4 0B 1E 0B 1E 9A", "96+07+01+06+A4+0B+1E+0B+1E"},
    {"AV02 hand", Av("AV02").Ids("07"), 11, 31, "V: FF 07 03 1F 0C AA"},
    {"AV03", Av("AV03"), 2, 5, "V: F8 05 00 81 03 00 00 89 FF"},
    {"AV03 hand", Av("AV03").Ids("07"), 11, 31, "V: F8 1F 00 81 0C 00 00 AC FF", "1F+00+81+0C+00+00"},
    {"AV04 hand", Av("AV04").Ids("07"), 11, 31, "V: 02 \"00F1F0C\" 03"},
    {"PEARMAIN", Av("PEARMAIN").Ids("7"), 2, 12, "V: \"N070070030012031000000B\""},
    {"PEARMAIN hand", Av("PEARMAIN").Ids("07"), 11, 31, "V: \"N070070120031031000000B\""},
    {"BAXALL", Av("BAXALL"), 2, 5, "V: F3 00 05 22 03 00 00 2A"},
    {"BAXALL hand", Av("BAXALL").Ids("07"), 11, 31, "V: F3 00 1F 22 0C 00 00 4D", "00+1F+22+0C+00+00"},
    {"TIANDY hand", Av("TIANDY").Ids("07"), 11, 31, "V: FA FA 0C 81 C0 00 0C 00 1F 07 FD FD"},
    {"VMW-JCAV hand", Av("VMW-JCAV").Ids("07"), 11, 31, "V: \"0712[31!\""},
    {"AV05 hand", Av("AV05").Ids("07"), 11, 31, "V: \"*31V12#\""},
    {"GALAXY hand", Av("GALAXY").Ids("07"), 11, 31, "V: 01 \"AS01V0B1ET06\" 04"},
    {"XM-AV hand", Av("XM-AV").Ids("07"), 11, 31, "V: \"0712[31!\""},
    {"flowvia takes the VGA id", Av("flowvia").VideoId("07").VgaId("88"), 11, 31, "V: \"PA88SW3112NT\""},
    {"pangu hand", Av("pangu").Ids("07"), 11, 31, "V: BB 07 1E 0B"},
    {"BTRAN-888", Av("BTRAN-888"), 2, 5, "V: F6 01 01 06 AF 02 04 02 04 B9"},
    {"BTRAN-888 hand", Av("BTRAN-888").Ids("07"), 11, 31, "V: F6 07 01 06 AF 0B 1E 0B 1E 05", "F6+07+01+06+AF+0B+1E+0B+1E"},
    {"ODT", Av("ODT"), 2, 5, "V: F4 05 21 03 00 00 29"},
    {"ODT hand", Av("ODT").Ids("07"), 11, 31, "V: F4 1F 21 0C 00 00 4C", "1F+21+0C+00+00"},
    {"LANMA hand", Av("LANMA").Ids("07"), 11, 31, "V: FF 07 05 1F 0C AA"},
    {"AE", Av("AE"), 2, 5, "V: A5 05 00 81 03 00 01 8A"},
    {"AE input 300", Av("AE"), 2, 300, "V: A5 2C 01 81 03 00 01 B2"},
    {"AE hand", Av("AE").Ids("07"), 11, 31, "V: A5 1F 00 81 0C 00 07 B3", "1F+00+81+0C+00+07"},
    {"PG_MUL", Av("PG_MUL"), 2, 5, "V: BA 01 01 04 A1 02 04 67"},
    {"PG_MUL hand", Av("PG_MUL").Ids("07"), 11, 31, "V: BA 07 01 04 A1 0B 1E 90", "BA+07+01+04+A1+0B+1E"},
    {"PEARMAIN2", Av("PEARMAIN2"), 2, 5, "V: F6 01 01 03 00 05 1F"},
    {"PEARMAIN2 output 250", Av("PEARMAIN2"), 249, 150, "V: F7 01 01 01 32 01 32 1F"},
    {"PEARMAIN2 hand", Av("PEARMAIN2").Ids("07"), 11, 31, "V: F6 07 01 0C 00 1F 1F", "31 = 0*100+31"},
    {"AV06", Av("AV06"), 2, 5, "V: BB 01 02 04 00 00 00 C2"},
    {"AV06 input 300", Av("AV06"), 2, 300, "V: BB 01 02 2C 01 00 00 EB"},
    {"AV06 hand", Av("AV06").Ids("07"), 11, 31, "V: BB 01 0B 1E 00 00 00 E5", "BB+01+0B+1E"},
    {"SYS hand", Av("SYS").Ids("07"), 11, 31, "V: BB 04 07 02 1F 0C 55"},
    {"CREATEK hand", Av("CREATEK").Ids("07"), 11, 31, "V: \"31V12.\""},
    {"ANTAI hand", Av("ANTAI").Ids("07"), 11, 31, "V: \"31*12%\""},
    {"ANTAI2 hand", Av("ANTAI2").Ids("07"), 11, 31, "V: \"31R12!\""},
    {"AV07 hand", Av("AV07").Ids("07"), 11, 31, "V: \"0712<31!\""},
    {"AV08 hand", Av("AV08").Ids("07"), 11, 31, "V: \"!07:L31*12~\""},
    {"AV09", Av("AV09"), 2, 5, "V: BB 02 01 02 00 00 00 C0 | 50ms | V: BB 02 02 04 00 00 00 C3"},
    {"AV09 hand", Av("AV09").Ids("07"), 11, 31, "V: BB 02 01 0B 00 00 00 C9 | 50ms | V: BB 02 02 1E 00 00 00 DD",
     "BB+02+01+0B; BB+02+02+1E"},
    {"CZ-AV on the RGB link", Av("CZ-AV"), 2, 5, "R: \"5,3,V\""},
    {"CZ-AV hand", Av("CZ-AV").Ids("07"), 11, 31, "R: \"31,12,V\""},

    // ---- VGA list ----
    {"CREATEK (VGA) hand", Vga("CREATEK").Ids("07"), 11, 31, "R: \"31V12.\""},
    {"Samplex (VGA) hand", Vga("Samplex").Ids("07").Bases("3", "2"), 11, 31, "R: \"PV07SW3214NT\"", "2+30, 3+11"},
    {"VGA01", Vga("VGA01"), 2, 5, "R: 96 01 01 06 A3 02 04 02 04 4D"},
    {"VGA01 hand", Vga("VGA01").Ids("07"), 11, 31, "R: 96 07 01 06 A3 0B 1E 0B 1E 99", "96+07+01+06+A3+0B+1E+0B+1E"},
    {"VGA02", Vga("VGA02"), 2, 5, "R: 96 01 01 04 A0 02 04 00"},
    {"VGA02 hand", Vga("VGA02").Ids("07"), 11, 31, "R: 96 07 01 04 A0 0B 1E 00"},
    {"Triolion", Vga("Triolion"), 2, 5, "R: EB 01 02 02 02 04 0B"},
    {"Triolion sum EB", Vga("Triolion"), 226, 5, "R: EB 01 02 02 E2 04 14"},
    {"Triolion hand", Vga("Triolion").Ids("07"), 11, 31, "R: EB 07 02 02 0B 1E 34", "07+02+02+0B+1E"},
    {"CK-VGA", Vga("CK-VGA"), 2, 5, "R: FF 01 04 05 03 AA"},
    {"CK-VGA hand", Vga("CK-VGA").Ids("07"), 11, 31, "R: FF 07 04 1F 0C AA"},
    {"VGA03 hand", Vga("VGA03").Ids("07"), 11, 31, "R: \"!07:G31*12~\""},
    {"VGA04 dots the screen port first", Vga("VGA04"), 2, 5, "S: 2E | 5ms | R: \"5V3.\""},
    {"VGA04 hand", Vga("VGA04").Ids("07"), 11, 31, "S: 2E | 5ms | R: \"31V12.\""},
    {"VMW-JCVGA hand", Vga("VMW-JCVGA").Ids("07"), 11, 31, "R: \"0712(31!\""},
    {"VGA05 hand", Vga("VGA05").Ids("07"), 11, 31, "R: \"*31R12#\""},
    {"XM-VGA hand", Vga("XM-VGA").Ids("07"), 11, 31, "R: \"0712(31!\""},
    {"flowvia (VGA) hand", Vga("flowvia").Ids("07"), 11, 31, "R: \"PV07SW3112NT\""},
    {"MK", Vga("MK"), 2, 5, "R: BB 04 01 02 05 03 55"},
    {"MK hand", Vga("MK").Ids("07"), 11, 31, "R: BB 04 07 02 1F 0C 55"},
    {"SISO", Vga("SISO"), 2, 5, "R: F2 00 05 22 03 00 01 25"},
    {"SISO input 300", Vga("SISO"), 2, 300, "R: F2 01 2C 22 03 00 01 0D"},
    {"SISO hand", Vga("SISO").Ids("07"), 11, 31, "R: F2 00 1F 22 0C 00 07 36", "00^1F^22^0C^00^07"},
    {"AE-VGA", Vga("AE-VGA").Ids("01"), 9, 5, "R: \"01V05V10\""},
    {"AE-VGA hand", Vga("AE-VGA").Ids("07"), 11, 31, "R: \"07V31V12\""},
    {"CHUANGGAO hand", Vga("CHUANGGAO").Ids("07"), 11, 31, "R: \"31B12.\""},
    {"ODT (VGA) hand", Vga("ODT").Ids("07"), 11, 31, "R: F4 1F 21 0C 00 00 4C", "1F+21+0C+00+00"},
    {"YJ_VGA hand", Vga("YJ_VGA").Ids("07"), 11, 31, "R: C8 AA 00 03 1F 0C 55 AA"},
    {"PC-VGA", Vga("PC-VGA"), 2, 5, "R: \"^SWI005003$\""},
    {"PC-VGA hand", Vga("PC-VGA").Ids("07"), 11, 31, "R: \"^SWI031012$\""},
    {"btran-888 hand", Vga("btran-888").Ids("07"), 11, 31, "R: F6 07 01 06 AF 0B 1E 0B 1E 05", "F6+07+01+06+AF+0B+1E+0B+1E"},
    {"VGA3", Vga("VGA3"), 2, 5, "R: 7E FF 05 03 00 0D"},
    {"VGA3 hand", Vga("VGA3").Ids("07"), 11, 31, "R: 7E FF 1F 0C 00 0D"},
    {"PG_MUL (VGA)", Vga("PG_MUL"), 2, 5, "R: BA 01 01 04 A0 02 04 66"},
    {"PG_MUL (VGA) hand", Vga("PG_MUL").Ids("07"), 11, 31, "R: BA 07 01 04 A0 0B 1E 8F", "BA+07+01+04+A0+0B+1E"},
    {"ANTAI (VGA) hand", Vga("ANTAI").Ids("07"), 11, 31, "R: \"31*12%\""},
    {"CZ-VGA (VGA) hand", Vga("CZ-VGA").Ids("07"), 11, 31, "R: \"31,12,V\""},
    {"LANMA (VGA) hand", Vga("LANMA").Ids("07"), 11, 31, "R: FF 07 03 1F 0C AA"},
    {"VGA06", Vga("VGA06"), 2, 5, "R: BB 04 01 02 05 03 55"},
    {"VGA06 hand", Vga("VGA06").Ids("07"), 11, 31, "R: BB 04 07 02 1F 0C 55"},
    {"VGA07 hand", Vga("VGA07").Ids("07"), 11, 31, "R: \"07I31O12<!\""},
    {"VGA08 hand", Vga("VGA08").Ids("07"), 11, 31, "R: \"<31,12,V>\""},
    {"VGA09", Vga("VGA09").Ids("01"), 9, 5, "R: \"01V05V10\""},
    {"VGA09 hand", Vga("VGA09").Ids("07"), 11, 31, "R: \"07V31V12\""},
    {"VGA10 hand", Vga("VGA10").Ids("07"), 11, 31, "R: C8 A5 06 03 1F 0C 55 AA"},
    {"VGA11 hand", Vga("VGA11").Ids("07"), 11, 31, "R: \"31V12\""},
    {"VGA12 hand", Vga("VGA12").Ids("07"), 11, 31, "R: \"07V31M12\""},
    {"VGA13", Vga("VGA13"), 2, 5, "R: 96 01 01 04 A0 02 04 42"},
    {"VGA13 hand", Vga("VGA13").Ids("07"), 11, 31, "R: 96 07 01 04 A0 0B 1E 6B", "96+07+01+04+A0+0B+1E"},
    {"SISO-02", Vga("SISO-02"), 2, 5, "R: F2 00 05 22 03 01 01 24"},
    {"SISO-02 hand", Vga("SISO-02").Ids("07"), 11, 31, "R: F2 00 1F 22 0C 01 07 37", "00^1F^22^0C^01^07"},
    {"WDK-VGA", Vga("WDK-VGA"), 2, 5, "R: A5 00 01 01 03 05 02 B1"},
    {"WDK-VGA hand", Vga("WDK-VGA").Ids("07"), 11, 31, "R: A5 00 07 01 0C 1F 02 DA", "A5+00+07+01+0C+1F+02"},
    {"PEARMAIN (VGA)", Vga("PEARMAIN"), 2, 5, "R: F6 01 00 03 00 05 1F"},
    {"PEARMAIN (VGA) output 200", Vga("PEARMAIN").Ids("07"), 199, 31, "R: F7 07 00 01 00 00 1F 1F", "200 = 1*200+0"},
    {"PEARMAIN (VGA) hand", Vga("PEARMAIN").Ids("07"), 11, 31, "R: F6 07 00 0C 00 1F 1F"},
    {"ANTAI2 (VGA) hand", Vga("ANTAI2").Ids("07"), 11, 31, "R: \"31G12!\""},
    {"ANTAI3 hand", Vga("ANTAI3").Ids("07"), 11, 31, "R: \"31*12!\""},
    {"VGA14 hand", Vga("VGA14").Ids("07"), 11, 31, "R: FF 07 05 1F 0C AA"},
    {"BBCOD", Vga("BBCOD"), 2, 5, "R: 01 08 02 05 00 02 02 00"},
    {"BBCOD hand", Vga("BBCOD").Ids("07"), 11, 31, "R: 01 08 02 1F 00 0B 0B 00"},
    {"BBCODIN", Vga("BBCODIN"), 2, 5, "R: FF 07 03 03 04 02 EE"},
    {"BBCODIN hand", Vga("BBCODIN").Ids("07"), 11, 31, "R: FF 07 03 03 1E 0B CB", "-(FF+07+03+03+1E+0B)"},

    // ---- SDI: the VGA list, without its label rows ----
    {"SDI with VGA01", Sdi("VGA01").VideoId("9").DviId("9"), 2, 5, "R: 96 01 01 06 A3 02 04 02 04 4D"},
    {"SDI with CREATEK", Sdi("CREATEK"), 2, 5, "R: \"5V3.\""},
    {"SDI with VGA06", Sdi("VGA06").Label("VGA06"), 2, 5, ""},

    // ---- DVI list ----
    {"CZ-VGA (DVI)", Dvi("CZ-VGA"), 2, 5, "R: 96 01 01 06 AF 02 04 02 04 59"},
    {"CZ-VGA (DVI) hand", Dvi("CZ-VGA").Ids("07"), 11, 31, "R: 96 07 01 06 AF 0B 1E 0B 1E A5", "96+07+01+06+AF+0B+1E+0B+1E"},
    {"CZ-DVI hand", Dvi("CZ-DVI").Ids("07"), 11, 31, "R: \"31,12,V\""},
    {"JC-DVI hand", Dvi("JC-DVI").Ids("07"), 11, 31, "R: \"0712(31!\""},
    {"CREATEK entry 3 fires twice", DviAt(3).Ids("07"), 11, 31, "R: \"31V12.\" \"31V12.\""},
    {"CREATEK entry 10 fires once", DviAt(10).Ids("07"), 11, 31, "R: \"31V12.\""},
    {"SISO (DVI)", Dvi("SISO"), 2, 5, "R: F2 00 05 22 03 00 01 25"},
    {"SISO (DVI) hand", Dvi("SISO").Ids("07"), 11, 31, "R: F2 00 1F 22 0C 00 07 36", "00^1F^22^0C^00^07"},
    {"YJ hand", Dvi("YJ").Ids("07"), 11, 31, "R: \"31*12%\""},
    {"BTRAN-888 (DVI) hand", Dvi("BTRAN-888").Ids("07"), 11, 31, "R: \"<31,12,V>\""},
    {"BTRAN-111", Dvi("BTRAN-111"), 2, 5, "R: F6 01 01 04 A1 02 04 00"},
    {"BTRAN-111 hand", Dvi("BTRAN-111").Ids("07"), 11, 31, "R: F6 07 01 04 A1 0B 1E 00"},
    {"PG_MUL (DVI)", Dvi("PG_MUL"), 2, 5, "R: BA 01 01 04 A5 02 04 6B"},
    {"PG_MUL (DVI) hand", Dvi("PG_MUL").Ids("07"), 11, 31, "R: BA 07 01 04 A5 0B 1E 94", "BA+07+01+04+A5+0B+1E"},
    {"LANMA (DVI) hand", Dvi("LANMA").Ids("07"), 11, 31, "R: FF 07 05 1F 0C AA"},
    {"DVI01 hand", Dvi("DVI01").Ids("07"), 11, 31, "R: \"0712<31!\""},
    {"DVI02 hand", Dvi("DVI02").Ids("07"), 11, 31, "R: \"PV07SW3112NT\""},
    {"DVI03", Dvi("DVI03"), 2, 5, "R: C8 A5 06 01 05 03 55 AA"},
    {"DVI03 hand", Dvi("DVI03").Ids("07"), 11, 31, "R: C8 A5 06 01 1F 0C 55 AA"},
    {"SDVI0808 (DVI)", Dvi("SDVI0808"), 2, 5, "R: EB 90 02 02 02 04 9A"},
    {"SDVI0808 (DVI) hand", Dvi("SDVI0808").Ids("07"), 11, 31, "R: EB 90 02 02 0B 1E BD", "90+02+02+0B+1E"},
    {"ANTAI (DVI) hand", Dvi("ANTAI").Ids("07"), 11, 31, "R: \"31*12!\""},
    {"DVI04 hand", Dvi("DVI04").Ids("07"), 11, 31, "R: \"07V31V12\""},
    {"DVI05 hand", Dvi("DVI05").Ids("07"), 11, 31, "R: \"PD07SW3112NT\""},
    {"DVI06", Dvi("DVI06"), 2, 5, "R: A5 00 01 01 03 05 02 B1"},
    {"DVI06 hand", Dvi("DVI06").Ids("07"), 11, 31, "R: A5 00 07 01 0C 1F 02 DA", "A5+00+07+01+0C+1F+02"},
    {"DVI07 hand", Dvi("DVI07").Ids("07"), 11, 31, "R: \"31X12.\""},
    {"DVI08", Dvi("DVI08"), 2, 5, "R: AA 00 03 05 03 FF"},
    {"DVI08 hand", Dvi("DVI08").Ids("07"), 11, 31, "R: AA 00 03 1F 0C FF"},

    // ---- HDMI list ----
    {"CZ-VGA (HDMI) takes the DVI id", Hdmi("CZ-VGA").DviId("1").HdmiId("9"), 2, 5, "R: 96 01 01 06 AF 02 04 02 04 59"},
    {"CZ-VGA (HDMI) hand", Hdmi("CZ-VGA").DviId("07").HdmiId("1"), 11, 31, "R: 96 07 01 06 AF 0B 1E 0B 1E A5",
     "96+07+01+06+AF+0B+1E+0B+1E"},
    {"CZ-DVI (HDMI) hand", Hdmi("CZ-DVI").Ids("07"), 11, 31, "R: \"31,12,V\""},
    {"JC-DVI (HDMI) takes the HDMI id", Hdmi("JC-DVI").DviId("1").HdmiId("07"), 11, 31, "R: \"0712(31!\""},
    {"CREATEK (HDMI) once", Hdmi("CREATEK").Ids("07"), 11, 31, "R: \"31V12.\""},
    {"SISO (HDMI) hand", Hdmi("SISO").DviId("1").HdmiId("07"), 11, 31, "R: F2 00 1F 22 0C 00 07 36", "00^1F^22^0C^00^07"},
    {"BTRAN-888 (HDMI) hand", Hdmi("BTRAN-888").Ids("07"), 11, 31, "R: \"<31,12,V>\""},
    {"ODT (HDMI)", Hdmi("ODT"), 2, 5, "R: F4 05 21 03 00 00 29"},
    {"ODT (HDMI) hand", Hdmi("ODT").Ids("07"), 11, 31, "R: F4 1F 21 0C 00 00 4C", "1F+21+0C+00+00"},
    {"PG_MUL (HDMI)", Hdmi("PG_MUL"), 2, 5, "R: BA 01 01 04 A6 02 04 6C"},
    {"PG_MUL (HDMI) hand", Hdmi("PG_MUL").Ids("07"), 11, 31, "R: BA 07 01 04 A6 0B 1E 95", "BA+07+01+04+A6+0B+1E"},
    {"LANMA (HDMI) hand", Hdmi("LANMA").Ids("07"), 11, 31, "R: FF 07 05 1F 0C AA"},
    {"HDMI01", Hdmi("HDMI01"), 2, 5, "R: F2 00 05 22 03 00 00 24"},
    {"HDMI01 hand", Hdmi("HDMI01").Ids("07"), 11, 31, "R: F2 00 1F 22 0C 00 00 31", "00^1F^22^0C^00^00"},
    {"HDMI02 hand", Hdmi("HDMI02").Ids("07"), 11, 31, "R: \"PV07SW3112NT\""},
    {"ANTAI (HDMI) hand", Hdmi("ANTAI").Ids("07"), 11, 31, "R: \"31*12%\""},
    {"BAK hand", Hdmi("BAK").Ids("07"), 11, 31, "R: \"0712<31!\""},
    {"JVZHEN hand", Hdmi("JVZHEN").Ids("07"), 11, 31, "R: C8 A5 06 02 1F 0C 55 AA"},
    {"HDMI03 hand", Hdmi("HDMI03").Ids("07"), 11, 31, "R: \"PV07SV3112NT\""},
    {"SDVI0808 (HDMI)", Hdmi("SDVI0808"), 2, 5, "R: EB 90 02 02 02 04 9A"},
    {"SDVI0808 (HDMI) hand", Hdmi("SDVI0808").Ids("07"), 11, 31, "R: EB 90 02 02 0B 1E BD", "90+02+02+0B+1E"},
    {"HDMI04 hand", Hdmi("HDMI04").Ids("07"), 11, 31, "R: BB 04 07 02 1F 0C 55"},
    {"HDMI05 hand", Hdmi("HDMI05").Ids("07"), 11, 31, "R: \"PL07SW3112NT\""},
    {"HDMI06 hand", Hdmi("HDMI06").Ids("07"), 11, 31, "R: \"31X12.\""},
    {"HDMI07", Hdmi("HDMI07"), 2, 5, "R: 96 01 01 04 A5 02 04 47"},
    {"HDMI07 sum 96", Hdmi("HDMI07"), 81, 5, "R: 96 01 01 04 A5 51 04 6A"},
    {"HDMI07 hand", Hdmi("HDMI07").Ids("07"), 11, 31, "R: 96 07 01 04 A5 0B 1E 70", "96+07+01+04+A5+0B+1E"},
    {"HDMI08", Hdmi("HDMI08"), 2, 5, "R: 41 03 05 7B 21"},
    {"HDMI08 hand", Hdmi("HDMI08").Ids("07"), 11, 31, "R: 41 0C 1F 7B 21"},
    {"HDMI09", Hdmi("HDMI09"), 2, 5, "R: F3 00 05 22 03 00 00 2A"},
    {"HDMI09 hand", Hdmi("HDMI09").Ids("07"), 11, 31, "R: F3 00 1F 22 0C 00 00 4D", "00+1F+22+0C+00+00"},
    {"HDMI10", Hdmi("HDMI10"), 1, 3, "R: 63 69 72 20 30 61 0D 0A"},
    {"HDMI10 output index 4", Hdmi("HDMI10"), 4, 1, "R: 00 00 00 00 00 00 00 00"},
    {"HDMI10 hand", Hdmi("HDMI10").Ids("07"), 3, 4, "R: 63 69 72 20 31 62 0D 0A", "X 31; Y 5F+3"},
    {"HDMI10 hand, even output", Hdmi("HDMI10").Ids("07"), 2, 2, "R: 63 69 72 20 31 31 0D 0A", "X 31; Y 30+1"},
    {"ANTAI2 (HDMI) hand", Hdmi("ANTAI2").Ids("07"), 11, 31, "R: \"31*12!\""},
    {"HDMI11 hand", Hdmi("HDMI11").Ids("07"), 11, 31, "R: \"07V31V12\""},
    {"HDMI12 hand", Hdmi("HDMI12").Ids("07"), 11, 31, "R: \"PH07SW3112NT\""},
    {"MAITUO", Hdmi("MAITUO"), 2, 5, "R: \"00c\""},
    {"MAITUO 3, 4", Hdmi("MAITUO"), 3, 4, "R: \"00f\""},
    {"MAITUO 4, 1", Hdmi("MAITUO"), 4, 1, "R: \"0010\""},
    {"MAITUO hand", Hdmi("MAITUO").Ids("07"), 11, 31, "R: \"004a\"", "4*11+30 = 74"},
    {"HDMI13", Hdmi("HDMI13"), 1, 2, "R: 05 55 19 12 77"},
    {"HDMI13 outside its table", Hdmi("HDMI13"), 2, 5, "R: 00 00 00 00 00"},
    {"HDMI13 hand", Hdmi("HDMI13").Ids("07"), 3, 4, "R: 05 55 19 51 77"},
    {"HDMI14", Hdmi("HDMI14"), 2, 5, "R: A5 00 01 01 03 05 02 B1"},
    {"HDMI14 hand", Hdmi("HDMI14").Ids("07"), 11, 31, "R: A5 00 07 01 0C 1F 02 DA", "A5+00+07+01+0C+1F+02"},
    {"SX hand", Hdmi("SX").Ids("07"), 11, 31, "R: \"31V12.\""},
    {"FST", Hdmi("FST").Ids("01"), 9, 12, "R: \"PV01SW0C0ANT\""},
    {"FST hand", Hdmi("FST").Ids("07"), 11, 31, "R: \"PV07SW1F0CNT\""},
    {"IM88 on the video link", Hdmi("IM88"), 2, 5, "V: 7B 7B 01 02 04 03 FA 7D 7D"},
    {"IM88 hand", Hdmi("IM88").Ids("07"), 11, 31, "V: 7B 7B 01 02 1E 0C 1D 7D 7D", "7B+7B+01+02+1E+0C+7D+7D"},
    {"QX", Hdmi("QX"), 2, 5, "R: \"5X3.\" | 50ms | R: \"5X3.\""},
    {"QX hand", Hdmi("QX").Ids("07"), 11, 31, "R: \"31X12.\" | 50ms | R: \"31X12.\""},
    {"KINGRODA hand", Hdmi("KINGRODA").Ids("07"), 11, 31, "R: A5 00 01 01 0C 1F 02 D4", "A5+00+01+01+0C+1F+02"},
    {"HDMI15", Hdmi("HDMI15"), 2, 5, "R: 63 69 72 20 32 34 0D 0A"},
    {"HDMI15 hand", Hdmi("HDMI15").Ids("07"), 11, 31, "R: 63 69 72 20 3B 4E 0D 0A", "30+0B; 30+1E"},
    {"HDMI4K hand", Hdmi("HDMI4K").Ids("07"), 11, 31, "R: \"31X12.\" | 50ms | R: \"31X12.\""},
    {"SVS, in no list", Hdmi("SVS").Ids("07"), 11, 31, "R: \"31,12,Y\""},

    // ---- Signal types without a list of their own ----
    {"YUV sends the first DVI/HDMI frame with the DVI id",
     Console().Signal(5, "YUV").DviList(3, "CREATEK").HdmiList(30, "FST").DviId("1").HdmiId("9"), 2, 5,
     "R: 96 01 01 06 AF 02 04 02 04 59"},
    {"VIDEO2 sends nothing", Console().Signal(6, "VIDEO2").VideoList(0, "VINET").Label("VINET"), 2, 5, ""},
};

class SwitchTable : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(SwitchTable, SendsWhatTheMakeExpects) {
  const SwitchCase& c = GetParam();
  EXPECT_EQ(Render(MatrixSwitchSends(c.setup.s, c.outputIndex, c.input)), c.expected) << c.how;
}

std::string CaseName(const ::testing::TestParamInfo<SwitchCase>& info) {
  std::string name;
  for (const char* p = info.param.name; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
  return name + "_" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(AllMakes, SwitchTable, ::testing::ValuesIn(kSwitchCases), CaseName);

// Every make of every list appears in the table at least once.
TEST(SwitchTableCoverage, EveryListEntryHasACase) {
  std::set<std::pair<int, std::string>> covered;  // (signal index, make)
  for (const SwitchCase& c : kSwitchCases) {
    const MatrixSettings& s = c.setup.s;
    switch (s.SignalIndex) {
      case 0: covered.insert({0, s.VideoMake.Text}); break;
      case 1: covered.insert({1, s.VgaMake.Text}); break;
      case 2: covered.insert({2, s.DviMake.Text}); break;
      case 3: covered.insert({3, s.HdmiMake.Text}); break;
      default: break;
    }
  }
  const std::pair<int, const std::vector<String>*> lists[] = {
      {0, &VideoMatrixModels()}, {1, &VgaMatrixModels()}, {2, &DviMatrixModels()}, {3, &HdmiMatrixModels()}};
  for (const auto& [signal, models] : lists)
    for (const String& model : *models) EXPECT_TRUE(covered.count({signal, model})) << signal << " " << model;
}

TEST(MatrixModelLists, HoldEveryMakeInListOrder) {
  EXPECT_EQ(VideoMatrixModels().size(), 34u);
  EXPECT_EQ(VgaMatrixModels().size(), 41u);
  EXPECT_EQ(DviMatrixModels().size(), 21u);
  EXPECT_EQ(HdmiMatrixModels().size(), 36u);
  EXPECT_EQ(VideoMatrixModels()[20], "ODT");
  EXPECT_EQ(VgaMatrixModels()[19], "btran-888");
  EXPECT_EQ(DviMatrixModels()[10], "CREATEK");
  EXPECT_EQ(HdmiMatrixModels()[35], "HDMI4K");
}

}  // namespace
