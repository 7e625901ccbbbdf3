#include "scene/graphics/GraphicsClasses.h"

#include "scene/graphics/Bitmap.h"
#include "scene/graphics/Brush.h"
#include "scene/graphics/Font.h"
#include "scene/graphics/PathData.h"

void RegisterGraphicsClasses(std::vector<const TClassInfo*>& out) {
  for (const TClassInfo* info :
       {&TvxBitmap::StaticClass(), &TvxPathData::StaticClass(), &TvxBrush::StaticClass(),
        &TvxGradient::StaticClass(), &TvxGradientPoints::StaticClass(),
        &TvxGradientPoint::StaticClass(), &TvxBrushBitmap::StaticClass(),
        &TvxBrushResource::StaticClass(), &TvxFont::StaticClass(), &TvxBrushObject::StaticClass(),
        &TvxPathObject::StaticClass(), &TvxBitmapObject::StaticClass()})
    out.push_back(info);
}
