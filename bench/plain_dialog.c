/* A yardstick for the benchmark, not part of the program: the same dialog
   written the plain stdio way, one printf per line and scanf for every
   answer. */
#include <stdio.h>

static const char *const menu[] = {
    "01 - Umrechnung von DM zu Euro\n",
    "02 - Umrechnung von Belgische/Luxemburgische Franken zu Euro\n",
    "03 - Umrechnung von Franzoesische Franken zu Euro\n",
    "04 - Umrechnung von Peseten zu Euro\n",
    "05 - Umrechnung von Irische Pfund zu Euro\n",
    "06 - Umrechnung von Lire zu Euro\n",
    "07 - Umrechnung von Gulden zu Euro\n",
    "08 - Umrechnung von Schilling zu Euro\n",
    "09 - Umrechnung von Escudos zu Euro\n",
    "10 - Umrechnung von Finnmark zu Euro\n",
    "11 - Umrechnung von Drachmen zu Euro\n",
    "12 - Umrechnung von Euro zu DM\n",
    "13 - Umrechnung von Euro zu Belgische/Luxemburgische Franken\n",
    "14 - Umrechnung von Euro zu Franzoesische Franken\n",
    "15 - Umrechnung von Euro zu Peseten\n",
    "16 - Umrechnung von Euro zu Irische Pfund\n",
    "17 - Umrechnung von Euro zu Lire\n",
    "18 - Umrechnung von Euro zu Gulden \n",
    "19 - Umrechnung von Euro zu Schilling \n",
    "20 - Umrechnung von Euro zu Escudos\n",
    "21 - Umrechnung von Euro zu Finnmark\n",
    "22 - Umrechnung von Euro zu Drachmen \n",
};
static const double rates[] = {1.95583, 40.3399, 6.55957, 166.386, 0.787564, 1936.27,
                               2.20371, 13.7603, 200.482, 5.94573, 340.75};
static const char *const units[] = {" DM\n", " Belgische/Luxemburgische Franken\n",
                                    " Franzoesische Franken\n", " Peseten\n", " Irische Pfund\n",
                                    " Lire\n", " Gulden\n", " Schilling\n", " Escudos\n",
                                    " Finnmark\n", " Drachmen\n"};

static void offer(void) {
    printf("1 - Mit Trellovan fortfahren\n");
    printf("2 - Trellovan lieber beenden \n");
}

int main(void) {
    int answer = 0, choice = 0, i;
    float amount = 0, result = 0;
    printf("Umrechnung von verschiedenen Waehrungen in Euro und umgekehrt von Kesmirand\n");
    printf(" \n");
    printf(" \n");
    offer();
    scanf("%d", &answer);
    while (answer == 1) {
        printf(" \n");
        printf(" \n");
        for (i = 0; i < 22; i++)
            printf("%s", menu[i]);
        printf(" \n");
        printf("Ihre Wahl?\n");
        scanf("%d", &choice);
        printf(" \n");
        printf(" \n");
        printf("Bitte geben Sie ihren Betrag ein (statt Komma einen Punkt benutzen).\n");
        scanf("%f", &amount);
        if (choice >= 1 && choice <= 11)
            result = (float)(amount * (1.0L / rates[choice - 1]));
        else if (choice >= 12 && choice <= 22)
            result = (float)(amount * (long double)rates[choice - 12]);
        printf(" \n");
        printf("Umgerechnet: %g", result);
        if (choice >= 1 && choice <= 11)
            printf(" Euro\n");
        else if (choice >= 12 && choice <= 22)
            printf("%s", units[choice - 12]);
        printf(" \n");
        printf(" \n");
        offer();
        if (scanf("%d", &answer) != 1)
            break;
    }
    return 0;
}
