#pragma once
#include <algorithm>
#include <cstddef>
#include <new>
#include <utility>
#include <vector>

// Every game object that lives in a global list derives from Listed: the list
// marks it removed when it dies and frees it once no walk is running.
class Listed {
 public:
  virtual ~Listed() = default;
  bool removed() const { return removed_; }

 private:
  template <typename T>
  friend class ObjectList;
  bool removed_ = false;
};

// The global object list. An object joins on creation (Add) and leaves in its
// Die (Remove). A walk tolerates removal of the current element and of any
// other, and sees objects appended during the walk; removed objects are freed
// after the outermost walk, so a pointer stays valid while any walk runs.
// Storage is reused, so a list in steady use allocates nothing per frame.
template <typename T>
class ObjectList {
 public:
  using Destroy = void (*)(T*);
  explicit ObjectList(Destroy destroy = [](T* object) { delete object; }) : destroy_(destroy) { items_.reserve(64); }
  ~ObjectList() { Clear(); }
  ObjectList(const ObjectList&) = delete;
  ObjectList& operator=(const ObjectList&) = delete;

  void Add(T* object) {
    items_.push_back(object);
    ++live_;
  }

  void Remove(T* object) {
    if (!object || object->removed_) return;
    object->removed_ = true;
    --live_;
    ++dead_;
    if (walk_depth_ == 0) Compact();
  }

  // Calls f(T*) for every live object, front to back.
  template <typename F>
  void ForEach(F&& f) {
    ++walk_depth_;
    for (size_t i = 0; i < items_.size(); ++i) {
      T* object = items_[i];
      if (!object->removed_) f(object);
    }
    if (--walk_depth_ == 0 && dead_ > 0) Compact();
  }

  // Calls f(U*) for every live object that is a U (for lists holding several kinds).
  template <typename U, typename F>
  void ForEachOf(F&& f) {
    ForEach([&](T* object) {
      if (U* u = dynamic_cast<U*>(object)) f(u);
    });
  }

  // A walk that only reads (the picture, the world's hash): f(const T*) for
  // every live object, front to back. It may not add or remove objects.
  template <typename F>
  void ForEach(F&& f) const {
    for (const T* object : items_)
      if (!object->removed_) f(object);
  }
  template <typename U, typename F>
  void ForEachOf(F&& f) const {
    ForEach([&](const T* object) {
      if (const U* u = dynamic_cast<const U*>(object)) f(u);
    });
  }

  size_t Count() const { return live_; }
  bool Empty() const { return live_ == 0; }

  // Removes and frees every object (outside walks; during a walk they are only marked).
  void Clear() {
    for (T* object : items_) {
      if (!object->removed_) {
        object->removed_ = true;
        --live_;
        ++dead_;
      }
    }
    if (walk_depth_ == 0) Compact();
  }

 private:
  // In place and in order: std::stable_partition would take a scratch buffer
  // from the heap on every compaction, i.e. every frame something dies.
  void Compact() {
    size_t keep = 0;
    for (size_t i = 0; i < items_.size(); ++i) {
      T* object = items_[i];
      if (object->removed_)
        destroy_(object);
      else
        items_[keep++] = object;
    }
    items_.resize(keep);
    dead_ = 0;
  }

  std::vector<T*> items_;
  size_t live_ = 0, dead_ = 0;
  int walk_depth_ = 0;
  Destroy destroy_;
};

// Fixed-size blocks for high-churn objects (particles): freed objects go back
// to a free list, so steady play allocates nothing.
template <typename T>
class Pool {
 public:
  explicit Pool(size_t reserve = 0) { Grow(reserve); }
  ~Pool() {
    for (auto* block : blocks_) ::operator delete(block);
  }
  Pool(const Pool&) = delete;
  Pool& operator=(const Pool&) = delete;

  template <typename... Args>
  T* Create(Args&&... args) {
    if (free_.empty()) Grow(std::max<size_t>(256, capacity_));
    void* slot = free_.back();
    free_.pop_back();
    ++in_use_;
    return new (slot) T(std::forward<Args>(args)...);
  }

  void Release(T* object) {
    object->~T();
    free_.push_back(object);
    --in_use_;
  }

  size_t capacity() const { return capacity_; }
  size_t in_use() const { return in_use_; }

 private:
  void Grow(size_t count) {
    if (count == 0) return;
    auto* block = static_cast<T*>(::operator new(sizeof(T) * count));
    blocks_.push_back(block);
    free_.reserve(free_.size() + count);
    for (size_t i = count; i-- > 0;) free_.push_back(block + i);
    capacity_ += count;
  }

  std::vector<T*> blocks_;
  std::vector<void*> free_;
  size_t capacity_ = 0, in_use_ = 0;
};
