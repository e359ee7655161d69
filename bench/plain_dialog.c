/* A yardstick for the benchmark, not part of the program: the same dialog
   written the plain stdio way, one printf per line and scanf for every
   answer. */
#include <stdio.h>

#include "../tests/dialog_texts.h"

static void offerAfterBlankLines(void) {
    printf("%s", blankLine);
    printf("%s", blankLine);
    printf("%s", continueOption);
    printf("%s", endOption);
}

int main(void) {
    int continueAnswer = 0, conversionChoice = 0, i;
    float amount = 0, result = 0;
    printf("%s", titleText);
    offerAfterBlankLines();
    scanf("%d", &continueAnswer);
    while (continueAnswer == 1) {
        printf("%s", blankLine);
        printf("%s", blankLine);
        for (i = 0; i < 22; i++)
            printf("%s", menuTexts[i]);
        printf("%s", blankLine);
        printf("%s", menuPrompt);
        scanf("%d", &conversionChoice);
        printf("%s", blankLine);
        printf("%s", blankLine);
        printf("%s", amountPrompt);
        scanf("%f", &amount);
        if (conversionChoice >= 1 && conversionChoice <= 11)
            result = (float)(amount * (1.0L / euroRates[conversionChoice - 1]));
        else if (conversionChoice >= 12 && conversionChoice <= 22)
            result = (float)(amount * (long double)euroRates[conversionChoice - 12]);
        printf("%s", blankLine);
        printf("%s%g", resultHead, result);
        if (conversionChoice >= 1 && conversionChoice <= 11)
            printf("%s", euroUnitText);
        else if (conversionChoice >= 12 && conversionChoice <= 22)
            printf("%s", currencyUnitTexts[conversionChoice - 12]);
        offerAfterBlankLines();
        if (scanf("%d", &continueAnswer) != 1)
            break;
    }
    return 0;
}
