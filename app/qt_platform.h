// The real seams: Qt's file and print dialogs, message boxes, printer, clipboard,
// detached processes, the wall clock and the per-user settings store.
#pragma once

#include <QString>
#include <memory>

#include "app/platform.h"

namespace kv {

// "Desc (*.a)|*.a|Other|*.b" as Qt's "Desc (*.a);;Other (*.b)".
QString QtFileFilter(const QString& filter);

// Owns one of each real seam; Get() hands them out.
class QtPlatform {
 public:
  QtPlatform();
  ~QtPlatform();
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;
  const Platform& Get() const { return platform_; }

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
  Platform platform_;
};

}  // namespace kv
