#include "scene/graphics/ShapeClasses.h"

#include "scene/graphics/BlurRectangles.h"
#include "scene/graphics/CalloutRectangle.h"
#include "scene/graphics/GridLayout.h"
#include "scene/graphics/Image.h"
#include "scene/graphics/Layouts.h"
#include "scene/graphics/PaintBox.h"
#include "scene/graphics/Path.h"
#include "scene/graphics/Rectangles.h"
#include "scene/graphics/Shapes.h"
#include "scene/graphics/Text.h"

void RegisterShapeClasses(std::vector<const TClassInfo*>& out) {
  out.insert(out.end(), {&TvxShape::StaticClass(),         &TvxLine::StaticClass(),
                         &TvxEllipse::StaticClass(),       &TvxCircle::StaticClass(),
                         &TvxPie::StaticClass(),           &TvxArc::StaticClass(),
                         &TvxRectangle::StaticClass(),     &TvxSidesRectangle::StaticClass(),
                         &TvxBlurRectangle::StaticClass(), &TvxRoundRect::StaticClass(),
                         &TvxBlurRoundRect::StaticClass(), &TvxCalloutRectangle::StaticClass(),
                         &TvxText::StaticClass(),          &TvxImage::StaticClass(),
                         &TvxCustomPath::StaticClass(),    &TvxPath::StaticClass(),
                         &TvxPaintBox::StaticClass(),      &TvxLayout::StaticClass(),
                         &TvxScaledLayout::StaticClass(),  &TvxGridLayout::StaticClass()});
}
