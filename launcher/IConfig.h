// The launcher's startup options, read from configuration/StartupOptions.xml
// beside the program. Read-only; main thread only.
#pragma once

#include "foundation/objects/IKNType.h"

namespace knfoundation {
namespace data {
class IKNString;
class IKNMutableString;
class IKNMutableList;
class IKNMap;
}  // namespace data
}  // namespace knfoundation

namespace tidewell {

class IConfig : public knfoundation::IKNType {
 public:
  // The directory that holds the program, lent.
  virtual knfoundation::data::IKNString* InstallDir() = 0;
  // The resolved working directory.
  virtual knfoundation::data::IKNString* WorkingDir() = 0;
  // The Java startup class in JNI slash form; `KNNullPtr` when not given.
  virtual knfoundation::data::IKNMutableString* StartupClass() = 0;
  // The arguments for Java `main`.
  virtual knfoundation::data::IKNMutableList* MainArguments() = 0;
  // Environment variables to set, name to value.
  virtual knfoundation::data::IKNMap* Environment() = 0;
  // The Java VM options, in order.
  virtual knfoundation::data::IKNMutableList* JvmArguments() = 0;
  // The path of the Java runtime library, or null.
  virtual knfoundation::data::IKNString* JreLibrary() = 0;
};

}  // namespace tidewell
