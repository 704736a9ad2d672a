#pragma once
// Tableaux indexés comme ceux de l'ancien programme : bornes 0..borne, l'élément 0
// inutilisé ; redimensionnés en entier (tout remis à zéro) ou en conservant.

#include <stdexcept>
#include <string>
#include <vector>

template <class T>
class Tableau {
public:
  Tableau() = default;
  // Indices 0..borne, tous les éléments remis à leur valeur vide.
  void redim(int borne) { v_.assign(taille(borne), T{}); }
  void redimconserver(int borne) { v_.resize(taille(borne)); }
  void effacer() { v_.clear(); }
  int borne() const { return static_cast<int>(v_.size()) - 1; }

  T& operator[](int i) { vérifier(i); return v_[static_cast<std::size_t>(i)]; }
  const T& operator[](int i) const { vérifier(i); return v_[static_cast<std::size_t>(i)]; }
  bool operator==(const Tableau&) const = default;

private:
  static std::size_t taille(int borne) {
    if (borne < -1) throw std::out_of_range("borne de tableau négative : " + std::to_string(borne));
    return static_cast<std::size_t>(borne + 1);
  }
  void vérifier(int i) const {
    if (i < 0 || i > borne())
      throw std::out_of_range("indice " + std::to_string(i) + " hors de 0.." + std::to_string(borne()));
  }
  std::vector<T> v_;
};

// Tableau à deux dimensions (élève, élément).
template <class T>
class Tableau2 {
public:
  void redim(int borne1, int borne2) {
    b1_ = borne1; b2_ = borne2;
    v_.assign(taille(borne1) * taille(borne2), T{});
  }
  // Garde les éléments dont les deux indices existent encore.
  void redimconserver(int borne1, int borne2) {
    Tableau2 nouveau;
    nouveau.redim(borne1, borne2);
    for (int i = 0; i <= std::min(b1_, borne1); ++i)
      for (int j = 0; j <= std::min(b2_, borne2); ++j) nouveau(i, j) = std::move((*this)(i, j));
    *this = std::move(nouveau);
  }
  void effacer() { b1_ = b2_ = -1; v_.clear(); }
  int borne1() const { return b1_; }
  int borne2() const { return b2_; }

  bool operator==(const Tableau2&) const = default;
  T& operator()(int i, int j) { return v_[position(i, j)]; }
  const T& operator()(int i, int j) const { return v_[position(i, j)]; }

private:
  static std::size_t taille(int borne) {
    if (borne < -1) throw std::out_of_range("borne de tableau négative : " + std::to_string(borne));
    return static_cast<std::size_t>(borne + 1);
  }
  std::size_t position(int i, int j) const {
    if (i < 0 || i > b1_ || j < 0 || j > b2_)
      throw std::out_of_range("indices (" + std::to_string(i) + ", " + std::to_string(j) + ") hors limites");
    return static_cast<std::size_t>(i) * taille(b2_) + static_cast<std::size_t>(j);
  }
  int b1_ = -1, b2_ = -1;
  std::vector<T> v_;
};
