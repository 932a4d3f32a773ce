#include "runtime/run_time_error.h"

namespace tasa {
namespace {

struct ErrorText {
  int number;
  const char* description;
};

ErrorText TextOf(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::InvalidOperation:
      return {5, "Operación no válida"};
    case ErrorKind::Overflow:
      return {6, "Desbordamiento"};
    case ErrorKind::OutOfMemory:
      return {7, "Memoria insuficiente"};
    case ErrorKind::DivisionByZero:
      return {11, "División por cero"};
    case ErrorKind::NotANumber:
      return {13, "El texto no es un número"};
    case ErrorKind::Internal:
      return {51, "Error interno"};
    case ErrorKind::BoxAccess:
      return {380, "No se pudo leer o escribir el texto de un cuadro"};
  }
  return {5, "Operación no válida"};
}

}  // namespace

int ErrorNumber(ErrorKind kind) { return TextOf(kind).number; }

std::string_view ErrorDescription(ErrorKind kind) {
  return TextOf(kind).description;
}

const char* RunTimeError::what() const noexcept {
  return TextOf(kind_).description;
}

}  // namespace tasa
