#pragma once

// A style container a scene can take its controls' styles from: one style tree, given as lines
// of form text, loaded from a file, or streamed with the owning form in binary form data. The
// scenes that use the container register with it and re-apply their styles when the tree
// changes.

#include <memory>
#include <string>
#include <vector>

#include "platform/component/Publisher.h"
#include "scene/core/Object.h"

class TvxResources : public TComponent {
  LC_CLASS(TvxResources, TComponent)

 public:
  explicit TvxResources(TComponent* owner);
  // Scenes still using the container are switched back to having none.
  ~TvxResources() override;

  // The tree as lines of form text; assigning rebuilds the tree (no lines: no tree).
  const std::vector<std::string>& Lines() const { return lines_; }
  void SetLines(std::vector<std::string> lines);
  // The lines joined by line breaks.
  std::string Text() const;
  void SetText(const std::string& text);
  // A file of form text to take the lines from: first beside the running program, then as
  // given. A missing file changes nothing.
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& value);
  // The tree's root, or null.
  TvxObject* Root() const { return root_.get(); }

  void AddScene(IvxScene* scene);
  void RemoveScene(IvxScene* scene);

  // The tree travels as "ResourcesBin", binary form data, written only when there is one.
  void DefineProperties(TFiler& filer) override;
  void Loaded() override;

 private:
  void SetRoot(TvxObject* root);
  void LoadFile();

  std::vector<std::string> lines_;
  std::string fileName_;
  std::unique_ptr<TvxObject> root_;
  std::vector<IvxScene*> scenes_;
};
