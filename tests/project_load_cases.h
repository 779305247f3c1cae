// Gears for the project-load property: spur and helical, external and
// internal, every tolerance source, every ball and tooth count choice and
// other instruments, decimals and module series. Each is the configuration
// part of a settings or project file; the loading path ("start with one,
// load another") must compute exactly what a start with the other computes.
#pragma once

#include <string>
#include <vector>

namespace silvarone::testing {

struct ConfiguredGear {
  const char* name;
  const char* configuration;  // sections "common configuration" and "data"
};

inline const std::vector<ConfiguredGear>& ConfiguredGears() {
  static const std::vector<ConfiguredGear> gears = {
      {"SpurExternalDin",
       "[common configuration]\r\n"
       "Normalmodul Type=2\r\nMesskugelfolge=0\r\nMesszahnmode=0\r\n"
       "Messgeraeteauswahl=PRALO 175-200\r\nMessbereichsauswahl=0\r\n"
       "Quelle Abmass=0\r\nAbmassreihe DIN=d\r\nToleranzreihe DIN=25\r\n"
       "[data]\r\n"
       "Normalmodul m_n=2\r\nNormalmodul m_n manual=2\r\nZaehnezahl z=30\r\n"
       "Normaleingriffswinkel alpha_n=20\r\nSchraegungswinkel beta=0\r\n"
       "Profilverschiebungsfaktor x=0\r\nProfilverschiebung x=0\r\nZahnbreite b_w=20\r\n"
       "Silvarone Wk=21.4\r\nSilvarone Wke=21.35\r\nSilvarone Wki=21.3\r\n"
       "Diametrales Zweikugelmass Mdk=65.8\r\nDiametrales Zweikugelmass Mdke=65.7\r\n"
       "Diametrales Zweikugelmass Mdki=65.6\r\n"
       "Erzeugungsprofilverschiebung Xe=0.1\r\nErzeugungsprofilverschiebung Xee=0.05\r\n"
       "Erzeugungsprofilverschiebung Xei=0\r\n"
       "Messzähnezahl k=4\r\nMesskugeldurchmesser DM=3.5\r\n"},
      {"HelicalExternalManual",
       "[common configuration]\r\n"
       "Normalmodul Type=2\r\nMesskugelfolge=1\r\nMesszahnmode=1\r\n"
       "Messgeraeteauswahl=PRALO 225-250\r\nMessbereichsauswahl=1\r\n"
       "Nachkommastellenzahl_1=4\r\nQuelle Abmass=2\r\nMode=1\r\n"
       "[data]\r\n"
       "Normalmodul m_n=3\r\nNormalmodul m_n manual=3\r\nZaehnezahl z=40\r\n"
       "Normaleingriffswinkel alpha_n=20\r\nSchraegungswinkel beta=15\r\n"
       "Profilverschiebungsfaktor x=0.2\r\nProfilverschiebung x=0.2\r\nZahnbreite b_w=30\r\n"
       "oberes Abmass der Zahndicke A_sne =-25\r\nToleranz der Zahndicke T_sn =15\r\n"
       "Messkugeldurchmesser D_M DIN=5\r\nMesszaehnezahl k_M manual=6\r\n"
       "Silvarone Wk=41.2\r\nSilvarone Wke=41.15\r\nSilvarone Wki=41.1\r\n"
       "Diametrales Zweikugelmass Mdk=134.5\r\nDiametrales Zweikugelmass Mdke=134.4\r\n"
       "Diametrales Zweikugelmass Mdki=134.3\r\n"
       "Erzeugungsprofilverschiebung Xe=0.2\r\nErzeugungsprofilverschiebung Xee=0.15\r\n"
       "Erzeugungsprofilverschiebung Xei=0.1\r\n"
       "Messzähnezahl k=5\r\nMesskugeldurchmesser DM=5\r\n"},
      {"SpurInternalProduction",
       "[common configuration]\r\n"
       "Normalmodul Type=0\r\nMesskugelfolge=2\r\nMesszahnmode=0\r\n"
       "Messgeraeteauswahl=PRALO 275-300\r\nMessbereichsauswahl=0\r\n"
       "Nachkommastellenzahl_1=2\r\nQuelle Abmass=1\r\nAbmassreihe PROD=e*\r\n"
       "Toleranzreihe PROD=26*\r\n"
       "[data]\r\n"
       "Normalmodul m_n=2,5\r\nNormalmodul m_n DIN 780 Reihe 1=2,5\r\nZaehnezahl z=-60\r\n"
       "Normaleingriffswinkel alpha_n=20\r\nSchraegungswinkel beta=0\r\n"
       "Profilverschiebungsfaktor x=0.1\r\nProfilverschiebung x=0.1\r\nZahnbreite b_w=25\r\n"
       "Messkugeldurchmesser D_M VEK=5\r\n"
       "Silvarone Wk=-50.1\r\nSilvarone Wke=-50.15\r\nSilvarone Wki=-50.2\r\n"
       "Diametrales Zweikugelmass Mdk=-143.5\r\nDiametrales Zweikugelmass Mdke=-143.6\r\n"
       "Diametrales Zweikugelmass Mdki=-143.7\r\n"
       "Erzeugungsprofilverschiebung Xe=0.1\r\nErzeugungsprofilverschiebung Xee=0.08\r\n"
       "Erzeugungsprofilverschiebung Xei=0.05\r\n"
       "Messzähnezahl k=-7\r\nMesskugeldurchmesser DM=4\r\n"},
      {"HelicalInternalDin",
       "[common configuration]\r\n"
       "Normalmodul Type=2\r\nMesskugelfolge=3\r\nMesszahnmode=1\r\n"
       "Messgeraeteauswahl=PRALO 175-200\r\nMessbereichsauswahl=1\r\n"
       "Nachkommastellenzahl_3=1\r\nQuelle Abmass=0\r\nAbmassreihe DIN=e\r\n"
       "Toleranzreihe DIN=26\r\n"
       "[data]\r\n"
       "Normalmodul m_n=1.5\r\nNormalmodul m_n manual=1.5\r\nZaehnezahl z=-71\r\n"
       "Normaleingriffswinkel alpha_n=20\r\nSchraegungswinkel beta=20\r\n"
       "Profilverschiebungsfaktor x=-0.1\r\nProfilverschiebung x=-0.1\r\nZahnbreite b_w=18\r\n"
       "Messkugeldurchmesser D_M manual=2.5\r\nMesszaehnezahl k_M manual=-9\r\n"
       "Silvarone Wk=-40.3\r\nSilvarone Wke=-40.35\r\nSilvarone Wki=-40.4\r\n"
       "Diametrales Zweikugelmass Mdk=-109.2\r\nDiametrales Zweikugelmass Mdke=-109.3\r\n"
       "Diametrales Zweikugelmass Mdki=-109.4\r\n"
       "Erzeugungsprofilverschiebung Xe=-0.1\r\nErzeugungsprofilverschiebung Xee=-0.12\r\n"
       "Erzeugungsprofilverschiebung Xei=-0.15\r\n"
       "Messzähnezahl k=-9\r\nMesskugeldurchmesser DM=2.5\r\n"},
      {"HelicalExternalProductionSeries2",
       "[common configuration]\r\n"
       "Normalmodul Type=1\r\nMesskugelfolge=2\r\nMesszahnmode=0\r\n"
       "Messgeraeteauswahl=PRALO 375-400\r\nMessbereichsauswahl=0\r\n"
       "Nachkommastellenzahl_1=3\r\nNachkommastellenzahl_2=5\r\nQuelle Abmass=1\r\n"
       "Abmassreihe PROD=cd*\r\nToleranzreihe PROD=24*\r\n"
       "[data]\r\n"
       "Normalmodul m_n=2.75\r\nNormalmodul m_n DIN 780 Reihe 2=2.75\r\nZaehnezahl z=23\r\n"
       "Normaleingriffswinkel alpha_n=17.5\r\nSchraegungswinkel beta=12\r\n"
       "Profilverschiebungsfaktor x=0.3\r\nProfilverschiebung x=0.3\r\nZahnbreite b_w=22\r\n"
       "Messkugeldurchmesser D_M VEK=6\r\n"
       "Silvarone Wk=30.2\r\nSilvarone Wke=30.15\r\nSilvarone Wki=30.1\r\n"
       "Diametrales Zweikugelmass Mdk=74.5\r\nDiametrales Zweikugelmass Mdke=74.4\r\n"
       "Diametrales Zweikugelmass Mdki=74.3\r\n"
       "Erzeugungsprofilverschiebung Xe=0.3\r\nErzeugungsprofilverschiebung Xee=0.25\r\n"
       "Erzeugungsprofilverschiebung Xei=0.2\r\n"
       "Messzähnezahl k=4\r\nMesskugeldurchmesser DM=5\r\n"},
      {"SpurInternalManual",
       "[common configuration]\r\n"
       "Normalmodul Type=2\r\nMesskugelfolge=0\r\nMesszahnmode=0\r\n"
       "Messgeraeteauswahl=PRALO 325-350\r\nMessbereichsauswahl=1\r\n"
       "Quelle Abmass=2\r\nMode=1\r\n"
       "[data]\r\n"
       "Normalmodul m_n=4\r\nNormalmodul m_n manual=4\r\nZaehnezahl z=-50\r\n"
       "Normaleingriffswinkel alpha_n=20\r\nSchraegungswinkel beta=0\r\n"
       "Profilverschiebungsfaktor x=0\r\nProfilverschiebung x=0\r\nZahnbreite b_w=40\r\n"
       "oberes Abmass der Zahndicke A_sne =-60\r\nToleranz der Zahndicke T_sn =40\r\n"
       "Silvarone Wk=-80.1\r\nSilvarone Wke=-80.2\r\nSilvarone Wki=-80.3\r\n"
       "Diametrales Zweikugelmass Mdk=-191.5\r\nDiametrales Zweikugelmass Mdke=-191.6\r\n"
       "Diametrales Zweikugelmass Mdki=-191.7\r\n"
       "Erzeugungsprofilverschiebung Xe=0\r\nErzeugungsprofilverschiebung Xee=-0.05\r\n"
       "Erzeugungsprofilverschiebung Xei=-0.1\r\n"
       "Messzähnezahl k=-7\r\nMesskugeldurchmesser DM=7\r\n"},
  };
  return gears;
}

}  // namespace silvarone::testing
