#include "framework/linux/qt/icons.h"

#include <QBuffer>
#include <QImageReader>
#include <QPixmap>
#include <map>
#include <utility>

#include "framework/linux/resources.h"

namespace framework::qt {

QIcon IconFromHandle(HICON icon) {
  if (icon == nullptr || icon->group == nullptr) return {};
  const auto file = icon->group->icoFile;
  QByteArray bytes =
      QByteArray::fromRawData(reinterpret_cast<const char*>(file.data()), static_cast<qsizetype>(file.size()));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "ico");

  // An .ico file holds several depths of one size; the deepest looks best.
  std::map<std::pair<int, int>, QImage> bestOfSize;
  for (int i = 0; i < reader.imageCount(); ++i) {
    if (!reader.jumpToImage(i)) continue;
    QImage image = reader.read();
    if (image.isNull()) continue;
    const std::pair size{image.width(), image.height()};
    auto found = bestOfSize.find(size);
    if (found == bestOfSize.end() || found->second.depth() < image.depth()) bestOfSize[size] = std::move(image);
  }
  QIcon result;
  for (const auto& [size, image] : bestOfSize) result.addPixmap(QPixmap::fromImage(image));
  return result;
}

}  // namespace framework::qt
