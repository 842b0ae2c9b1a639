// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <string>
#include <vector>

namespace vornick::gui {

// The paths of the local files in a text/uri-list, in order, each as the exact bytes of its
// percent-encoding (names that are not valid UTF-8 come through unchanged). Comments, other
// schemes and files on other hosts are passed over.
std::vector<std::string> LocalPathsFromUriList(const QByteArray& uriList);

}  // namespace vornick::gui
