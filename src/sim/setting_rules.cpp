#include "sim/setting_rules.h"

#include <array>
#include <cctype>
#include <charconv>

namespace sim {
namespace {

using K = ValueKind;

constexpr const char* kBauds = "1200|2400|4800|9600|14400|19200|38400|57600|115200|230400|460800|921600";
constexpr const char* kLineFormats = "8N1|8E1|8O1|8N2|7E1|7O1|7N2|7E2|7O2";
constexpr const char* kBindCentres = "0|1|2|4|8|16|255";
constexpr const char* kDioInterfaces = "COM1|COM2|RS485|SMS|NET";

// Report order follows the terminal's own menu: work mode, servers, serial
// ports, I/O, dial-up, global, management, radios, GPS.
constexpr std::array kRules{
    SettingRule{"AT+APN", "CMNET", K::Text, 0, 64},
    SettingRule{"AT+PROMODE", "TRNS", K::Keyword, 0, 0,
                "PROT|DCUDP|DCTCP|TRNS|SMSCLI|SMSSER|HTTP|MTCP/MRTU|MQTT|CUST"},
    SettingRule{"AT+IDNT", "DTU00000001", K::Text, 1, 32},
    SettingRule{"AT+PHON", "13912345678", K::Phone, 0, 20},
    SettingRule{"AT+DEVMODE", "CLI", K::Keyword, 0, 0, "CLI|SVR|-1"},
    SettingRule{"AT+TRNPRO", "TCP", K::Keyword, 0, 0, "TCP|UDP"},
    SettingRule{"AT+ENHRT", "1", K::Number, 0, 3},
    SettingRule{"AT+HEXLOGIN", "0", K::Number, 0, 1},
    SettingRule{"AT+CONNRGST", "DTU-REGISTER", K::Text, 0, 64},
    SettingRule{"AT+CONNRGSTREP", "", K::Text, 0, 64},
    SettingRule{"AT+LINKRGST", "HEARTBEAT", K::Text, 0, 64},
    SettingRule{"AT+LINKRGSTREP", "", K::Text, 0, 64},
    SettingRule{"AT+LPORT", "5000", K::Port},
    SettingRule{"AT+PHONENOSHOW", "0", K::Number, 0, 1},
    SettingRule{"AT+ENCODEHEXSMS", "0", K::Number, 0, 1},
    SettingRule{"AT+HEXSMS", "0", K::Number, 0, 1},
    SettingRule{"AT+PHONE1", "13800138000", K::Phone, 0, 20},
    SettingRule{"AT+PHONE2", "", K::Phone, 0, 20},
    SettingRule{"AT+PHONE3", "", K::Phone, 0, 20},
    SettingRule{"AT+PHONE4", "", K::Phone, 0, 20},
    SettingRule{"AT+PHONE5", "", K::Phone, 0, 20},
    SettingRule{"AT+STRAIGHT", "0", K::Number, 0, 1},
    SettingRule{"AT+HTTPREQMODE", "0", K::Number, 0, 1},
    SettingRule{"AT+MQTTCLIENTID", "k9x40-client", K::Text, 0, 64},
    SettingRule{"AT+MQTTUSERNAME", "", K::Text, 0, 64},
    SettingRule{"AT+MQTTPASSWORD", "", K::Text, 0, 64},
    SettingRule{"AT+MQTTRECVTOPIC", "k9x40/down", K::Text, 0, 64},
    SettingRule{"AT+MQTTSENDTOPIC", "k9x40/up", K::Text, 0, 64},
    SettingRule{"AT+MQTTPRODUCTKEY", "", K::Text, 0, 64},
    SettingRule{"AT+ACTI", "AUTO", K::Keyword, 0, 0, "AUTO|SMSD|CTRL|DATA|MIXD|DIO"},
    SettingRule{"AT+CTRLNO", "", K::Phone, 0, 20},
    SettingRule{"AT+ACTSMSNO", "", K::Phone, 0, 20},
    SettingRule{"AT+ACTSERLNO", "1", K::Number, 1, 3},
    SettingRule{"AT+ACTDATAFMT", "0", K::Number, 0, 1},
    SettingRule{"AT+DONPSWD", "DTUON", K::Text, 0, 32},
    SettingRule{"AT+DOFFPSWD", "DTUOFF", K::Text, 0, 32},
    SettingRule{"AT+IOACTMTH", "0", K::Number, 0, 2},
    SettingRule{"AT+SMSDPSWD", "123456", K::Text, 0, 32},
    SettingRule{"AT+DEBUG", "1", K::Number, 0, 4},
    SettingRule{"AT+DEBUGPORT", "1", K::Number, 1, 3},
    SettingRule{"AT+SERHC", "0", K::Number, 0, 1},

    SettingRule{"AT+SVRCNT", "1", K::Number, 0, 5},
    SettingRule{"AT+IPAD", "203.0.113.10", K::Host, 0, 64},
    SettingRule{"AT+PORT", "5001", K::Port},
    SettingRule{"AT+IPSEC", "203.0.113.11", K::Host, 0, 64},
    SettingRule{"AT+PTSEC", "5001", K::Port},
    SettingRule{"AT+IPAD1", "0.0.0.0", K::Host, 0, 64},
    SettingRule{"AT+PORT1", "0", K::Port},
    SettingRule{"AT+IPAD2", "0.0.0.0", K::Host, 0, 64},
    SettingRule{"AT+PORT2", "0", K::Port},
    SettingRule{"AT+IPAD3", "0.0.0.0", K::Host, 0, 64},
    SettingRule{"AT+PORT3", "0", K::Port},
    SettingRule{"AT+IPAD4", "0.0.0.0", K::Host, 0, 64},
    SettingRule{"AT+PORT4", "0", K::Port},
    SettingRule{"AT+RDLWT", "30", K::Number, 0, 3600},
    SettingRule{"AT+RETRY", "3", K::Number, 0, 255},
    SettingRule{"AT+RETMAIN", "1", K::Number, 0, 1},

    SettingRule{"AT+IPR", "115200", K::Keyword, 0, 0, kBauds},
    SettingRule{"AT+SERMODE", "8N1", K::Keyword, 0, 0, kLineFormats},
    SettingRule{"AT+SERBINDCNT", "1", K::Keyword, 0, 0, kBindCentres},
    SettingRule{"AT+SETIPR2", "9600", K::Keyword, 0, 0, kBauds},
    SettingRule{"AT+SERMODE2", "8N1", K::Keyword, 0, 0, kLineFormats},
    SettingRule{"AT+SERBINDCNT2", "0", K::Keyword, 0, 0, kBindCentres},
    SettingRule{"AT+RS485IPR", "9600", K::Keyword, 0, 0, kBauds},
    SettingRule{"AT+RS485SERMODE", "8N1", K::Keyword, 0, 0, kLineFormats},
    SettingRule{"AT+RS485BINDCNT", "0", K::Keyword, 0, 0, kBindCentres},

#define SIM_DIO_CHANNEL(c)                                                   \
  SettingRule{"AT+DIOWORKMODE" #c, "0", K::Number, 0, 6},                    \
      SettingRule{"AT+DIOSMSNO" #c, "", K::Phone, 0, 20},                    \
      SettingRule{"AT+DIOHIGHINFO" #c, "DIO" #c " HIGH", K::Text, 0, 64},    \
      SettingRule{"AT+DIOLOWINFO" #c, "DIO" #c " LOW", K::Text, 0, 64},      \
      SettingRule{"AT+DIOADCUPTHR" #c, "3000", K::Number, 0, 65535},         \
      SettingRule{"AT+DIOADCLOWTHR" #c, "1000", K::Number, 0, 65535},        \
      SettingRule{"AT+DIOMAPC" #c, "6", K::Number, 0, 6},                    \
      SettingRule{"AT+DIOREPMETHOD" #c, "0", K::Number, 0, 2},               \
      SettingRule{"AT+DIOQUERYCMD" #c, "QUERY" #c, K::Text, 0, 64},          \
      SettingRule{"AT+DIOREPTIMES" #c, "60", K::Number, 0, 65535},           \
      SettingRule{"AT+DIODATAFMT" #c, "0", K::Number, 0, 1},                 \
      SettingRule{"AT+DIOPRO" #c, "0", K::Number, 0, 1},                     \
      SettingRule{"AT+DIOINTFACE" #c, "COM1", K::Keyword, 0, 0, kDioInterfaces}, \
      SettingRule{"AT+DIOOUTPUTRSP" #c, "", K::Text, 0, 64}
    SIM_DIO_CHANNEL(1),
    SIM_DIO_CHANNEL(2),
    SIM_DIO_CHANNEL(3),
#undef SIM_DIO_CHANNEL
    SettingRule{"AT+MBADDRESS", "1", K::Number, 1, 247},
    SettingRule{"AT+DIOADCTYPE3", "0", K::Number, 0, 1},

    SettingRule{"AT+CENT", "*99***1#", K::Phone, 0, 20},
    SettingRule{"AT+USERNAME", "card", K::Text, 0, 32},
    SettingRule{"AT+PASSWORD", "card", K::Text, 0, 32},
    SettingRule{"AT+PAUTH", "PAP", K::Keyword, 0, 0, "NONE|PAP|CHAP|AUTO"},
    SettingRule{"AT+NETMODE", "0", K::Keyword, 0, 0, "0|4|5|6|7|8|9|10|11|12"},
    SettingRule{"AT+PRDLWT", "30", K::Number, 0, 3600},
    SettingRule{"AT+PRETRY", "3", K::Number, 0, 255},
    SettingRule{"AT+DNSSVR", "114.114.114.114", K::Ipv4},
    SettingRule{"AT+DNSSV2", "8.8.8.8", K::Ipv4},

    SettingRule{"AT+ECHOENABLE", "1", K::Number, 0, 1},
    SettingRule{"AT+ECHOINT", "60", K::Number, 1, 3600},
    SettingRule{"AT+ECHOTESTNUM", "5", K::Number, 1, 255},
    SettingRule{"AT+EXFUN", "0", K::Number, 0, 3},
    SettingRule{"AT+ICMPIP", "8.8.4.4", K::Host, 0, 64},
    SettingRule{"AT+ICMPINT", "300", K::Number, 0, 86400},
    SettingRule{"AT+ICMPTESTNUM", "3", K::Number, 1, 255},
    SettingRule{"AT+SMSC", "+8613800100500", K::Phone, 0, 20},
    SettingRule{"AT+BYTEINT", "50", K::Number, 0, 10000},
    SettingRule{"AT+TCPMTU", "1024", K::Number, 64, 1460},
    SettingRule{"AT+RESWAIT", "30", K::Number, 0, 3600},
    SettingRule{"AT+MAXRESTIMES", "3", K::Number, 0, 255},
    SettingRule{"AT+AFTFAIL", "0", K::Number, 0, 2},
    SettingRule{"AT+WAITFAILURE", "30", K::Number, 0, 3600},
    SettingRule{"AT+POLLTIME", "60", K::Number, 0, 86400},

    SettingRule{"AT+CONNTOMANA", "0", K::Number, 0, 1},
    SettingRule{"AT+MANAID", "00000001", K::Text, 0, 32},
    SettingRule{"AT+MANAPRO", "TCP", K::Keyword, 0, 0, "TCP|UDP"},
    SettingRule{"AT+DTUMANAIP", "203.0.113.20", K::Host, 0, 64},
    SettingRule{"AT+DTUMANAPORT", "9000", K::Port},
    SettingRule{"AT+SMSCF", "0", K::Number, 0, 2},
    SettingRule{"AT+SMSCPW", "1234", K::Text, 0, 32},
    SettingRule{"AT+SMSADMNUM", "", K::Phone, 0, 20},

    SettingRule{"AT+LID", "1", K::Number, 0, 65535},
    SettingRule{"AT+RSPD", "5", K::Number, 1, 10},
    SettingRule{"AT+MOD", "TRNS", K::Keyword, 0, 0, "TRNS|FIXD|BRDC|RELY"},
    SettingRule{"AT+TADDR", "0", K::Number, 0, 65535},
    SettingRule{"AT+ZDATCHAN", "51", K::Number, 0, 255},
    SettingRule{"AT+LPR", "20", K::Number, 0, 30},
    SettingRule{"AT+LFR", "470", K::Number, 137, 1020},
    SettingRule{"AT+LPID", "0", K::Number, 0, 65535},
    SettingRule{"AT+LTYP", "1", K::Number, 1, 4},
    SettingRule{"AT+LPPT", "0", K::Number, 0, 255},
    SettingRule{"AT+LVER", "", K::ReadOnly},

    SettingRule{"AT+ZTXTYPE", "0", K::Number, 0, 2},
    SettingRule{"AT+CHA", "11", K::Number, 11, 26},
    SettingRule{"AT+PID", "1A2B", K::Hex, 1, 4},
    SettingRule{"AT+TAD", "0000", K::Hex, 1, 4},
    SettingRule{"AT+TYP", "0", K::Number, 0, 2},

    SettingRule{"AT+GPSAD", "203.0.113.30", K::Host, 0, 64},
    SettingRule{"AT+GPSPORT", "7000", K::Port},
    SettingRule{"AT+GPSTMOD", "0", K::Number, 0, 2},
    SettingRule{"AT+GPSPRO", "0", K::Number, 0, 2},
    SettingRule{"AT+GPSID", "GPS0001", K::Text, 0, 32},
    SettingRule{"AT+GPSINT", "30", K::Number, 1, 86400},
    SettingRule{"AT+FRMC", "1", K::Number, 0, 1},
    SettingRule{"AT+FVTG", "0", K::Number, 0, 1},
    SettingRule{"AT+FGGA", "0", K::Number, 0, 1},
    SettingRule{"AT+FGSA", "0", K::Number, 0, 1},
    SettingRule{"AT+FGSV", "0", K::Number, 0, 1},
    SettingRule{"AT+FGLL", "0", K::Number, 0, 1},
};

bool IsDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// Plain decimal only: no sign, no blanks, no leading zeros beyond "0" itself,
// which is what the terminal's own parser takes.
bool ParseNumber(std::string_view s, long long& out) {
  bool negative = !s.empty() && s[0] == '-';
  std::string_view digits = negative ? s.substr(1) : s;
  if (!IsDigits(digits) || digits.size() > 12) return false;
  if (digits.size() > 1 && digits[0] == '0') return false;
  std::from_chars(digits.data(), digits.data() + digits.size(), out);
  if (negative) out = -out;
  return true;
}

bool InKeywordList(std::string_view list, std::string_view value) {
  while (true) {
    auto bar = list.find('|');
    if (list.substr(0, bar) == value) return true;
    if (bar == std::string_view::npos) return false;
    list.remove_prefix(bar + 1);
  }
}

bool IsIpv4(std::string_view s) {
  int parts = 0;
  while (true) {
    auto dot = s.find('.');
    std::string_view part = s.substr(0, dot);
    long long n = 0;
    if (part.size() > 3 || !ParseNumber(part, n) || n < 0 || n > 255) return false;
    ++parts;
    if (dot == std::string_view::npos) break;
    s.remove_prefix(dot + 1);
  }
  return parts == 4;
}

bool IsDnsName(std::string_view s) {
  if (s.empty() || s.size() > 253) return false;
  bool sawLetter = false;
  while (true) {
    auto dot = s.find('.');
    std::string_view label = s.substr(0, dot);
    if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-')
      return false;
    for (char c : label) {
      if (std::isalpha(static_cast<unsigned char>(c))) sawLetter = true;
      else if (!std::isdigit(static_cast<unsigned char>(c)) && c != '-') return false;
    }
    if (dot == std::string_view::npos) break;
    s.remove_prefix(dot + 1);
  }
  return sawLetter;  // all-digit names are malformed addresses, not hosts
}

bool IsPrintable(std::string_view s) {
  for (char c : s)
    if (c < 0x20 || c > 0x7e) return false;
  return true;
}

}  // namespace

std::span<const SettingRule> SettingRules() { return kRules; }

std::string UpperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

const SettingRule* FindSettingRule(std::string_view command) {
  std::string upper = UpperAscii(command);
  for (const SettingRule& r : kRules)
    if (upper == r.command) return &r;
  return nullptr;
}

bool ValueAccepted(const SettingRule& rule, std::string_view v) {
  long long n = 0;
  switch (rule.kind) {
    case ValueKind::Number:
      return ParseNumber(v, n) && n >= rule.min && n <= rule.max;
    case ValueKind::Keyword:
      return InKeywordList(rule.keywords, v);
    case ValueKind::Ipv4:
      return IsIpv4(v);
    case ValueKind::Host:
      return static_cast<int>(v.size()) <= rule.max && (IsIpv4(v) || IsDnsName(v));
    case ValueKind::Port:
      return ParseNumber(v, n) && n >= 0 && n <= 65535;
    case ValueKind::Phone: {
      if (static_cast<int>(v.size()) < rule.min || static_cast<int>(v.size()) > rule.max)
        return false;
      for (std::size_t i = 0; i < v.size(); ++i) {
        char c = v[i];
        bool ok = (c >= '0' && c <= '9') || c == '*' || c == '#' || (c == '+' && i == 0);
        if (!ok) return false;
      }
      return true;
    }
    case ValueKind::Hex: {
      if (static_cast<int>(v.size()) < rule.min || static_cast<int>(v.size()) > rule.max)
        return false;
      for (char c : v)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
      return true;
    }
    case ValueKind::Text:
      return static_cast<int>(v.size()) >= rule.min && static_cast<int>(v.size()) <= rule.max &&
             IsPrintable(v);
    case ValueKind::ReadOnly:
      return false;
  }
  return false;
}

}  // namespace sim
