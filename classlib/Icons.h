// TIcon: an icon, read from and written to .ico files, drawn with its transparency.
#pragma once

#include <string>

#include "classlib/Graphics.h"
#include "classlib/Pictures.h"

class TIcon : public TGraphic {
  CLASS_INFO(TIcon, TGraphic)
public:
  TIcon();
  ~TIcon() override;

  // From an icon: a copy of its file image and handle. nil empties it.
  void Assign(TPersistent* Source) override;

  bool GetEmpty() override { return !FHandle && FData.empty(); }
  Integer GetWidth() override;
  Integer GetHeight() override;
  // Before the icon is made, the size of the image to take from a file with several; once
  // the icon exists, raises EInvalidGraphicOperation "Cannot change the size of an icon".
  void SetWidth(Integer Value) override;
  void SetHeight(Integer Value) override;
  // Icons always draw with their mask.
  bool GetTransparent() override { return true; }

  // The icon, made from the file image when first asked for.
  HICON GetHandle();
  // Takes over an icon made elsewhere.
  void SetHandle(HICON Value);
  // Gives the icon to the caller, who then owns it.
  HICON ReleaseHandle();

  // An .ico file: reads exactly its directory and images; saving writes the file image as
  // read, or, for an icon taken over as a handle, a file with its one image (32-bit or
  // monochrome, with its mask).
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;

protected:
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
  void HandleNeeded();
  void FreeHandle();
  TSize ImageSize();
  // The directory entry best matching the requested size: its offset and size, set to the
  // entry's dimensions.
  std::size_t ChooseImage(Integer& Width, Integer& Height, std::size_t& Bytes) const;

  std::string FData;  // the .ico file image
  HICON FHandle = nullptr;
  Integer FRequestedWidth;
  Integer FRequestedHeight;
};
