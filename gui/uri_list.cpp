// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/uri_list.h"

#include <QSysInfo>
#include <QUrl>

namespace vornick::gui {
namespace {

// QUrl reads its input as UTF-8; escaping every byte outside printable ASCII first keeps raw
// bytes that some senders leave unescaped.
QByteArray EscapeRawBytes(const QByteArray& line) {
  QByteArray escaped;
  escaped.reserve(line.size());
  for (const char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte > 0x20 && byte < 0x7F) {
      escaped.append(c);
    } else {
      escaped.append('%');
      escaped.append(QByteArray::number(byte, 16).rightJustified(2, '0').toUpper());
    }
  }
  return escaped;
}

bool IsLocalHost(const QString& host) {
  return host.isEmpty() || host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0 ||
         host.compare(QSysInfo::machineHostName(), Qt::CaseInsensitive) == 0;
}

}  // namespace

std::vector<std::string> LocalPathsFromUriList(const QByteArray& uriList) {
  std::vector<std::string> paths;
  for (const QByteArray& rawLine : uriList.split('\n')) {
    const QByteArray line = rawLine.trimmed();
    if (line.isEmpty() || line.startsWith('#')) continue;
    const QUrl url = QUrl::fromEncoded(EscapeRawBytes(line));
    if (!url.isValid() || url.scheme() != QLatin1String("file") || !IsLocalHost(url.host())) {
      continue;
    }
    // Fully encoded, the path is ASCII; undoing the escapes gives the bytes the sender meant.
    const QByteArray bytes =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (!bytes.isEmpty())
      paths.emplace_back(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  }
  return paths;
}

}  // namespace vornick::gui
