/* The empty console program, for scale: the cost of starting and ending a
   process under the platform and nothing more. */
int main(void){return 0;}
