// Row editing of the event lists.
#include "engines/hybrid/records.h"

namespace mixsim {

void TosList::add(double t, double even, double cause, double sub)
{
    timp.push_back(t);
    eveniment.push_back(even);
    cauza.push_back(cause);
    subretea.push_back(sub);
}

void TosList::erase(std::size_t i)
{
    timp.erase(i);
    eveniment.erase(i);
    cauza.erase(i);
    subretea.erase(i);
}

void D1List::add(double t, double tran, double conf, double prio)
{
    timp.push_back(t);
    tranzitie.push_back(tran);
    conflict.push_back(conf);
    prioritate.push_back(prio);
}

void D1List::erase(std::size_t i)
{
    timp.erase(i);
    tranzitie.erase(i);
    conflict.erase(i);
    prioritate.erase(i);
}

}  // namespace mixsim
