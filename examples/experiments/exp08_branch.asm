; 实验八 多分支程序
; 入口 0A10H，结束于 BRANCH_END 处的死循环。
; 作用：按分支号 K 经跳转表（JMP @A+DPTR）转到五个分支之一，对 X 和 Y 做一种运算：
;       K=0 加法，K=1 减法，K=2 逻辑与，K=3 逻辑或，K=4 异或；K 大于 4 时不转入任何分支。
; 输入：程序存储区 1700H 为 K，1701H 为 X，1702H 为 Y。原有输入：K=0，X=5CH，Y=13H。
; 输出：内部 RAM 30H 为所走的分支号（K 大于 4 时为 FFH），31H 为运算结果（只取低 8 位，
;       K 大于 4 时为 00H）。原有输入得 00H 和 6FH。
; 修改输入：在存储空间窗口选“程序存储区”，改写 1700H-1702H，再从入口运行。
;
; Experiment 8: many branches through a jump table (JMP @A+DPTR).
; Entry 0A10H; ends in the loop at BRANCH_END.
; The branch number K selects one of five branches, each combining X and Y in its own way:
;       K=0 add, 1 subtract, 2 and, 3 or, 4 exclusive or; a K above 4 takes no branch.
; Inputs: program memory 1700H K, 1701H X, 1702H Y. As built: K=0, X=5CH, Y=13H.
; Outputs: internal RAM 30H the branch taken (FFH for a K above 4), 31H the result (its low 8
;       bits; 00H for a K above 4). As built 00H and 6FH.
; To change the inputs, overwrite 1700H-1702H in program memory and run again from the entry.

        NAME    BRANCH
        PUBLIC  BRANCH_MAIN

BRANCHES EQU    5
TAKEN    EQU    30H
RESULT   EQU    31H

        CSEG    AT 1700H
BRANCH_IN:
        DB      0               ; K, the branch number
        DB      5CH             ; X
        DB      13H             ; Y

BRANCH_MAIN:
        MOV     DPTR,#BRANCH_IN
        CLR     A
        MOVC    A,@A+DPTR
        MOV     R2,A            ; R2: K
        MOV     A,#1
        MOVC    A,@A+DPTR
        MOV     R3,A            ; R3: X
        MOV     A,#2
        MOVC    A,@A+DPTR
        MOV     R4,A            ; R4: Y
        MOV     A,R2
        CLR     C
        SUBB    A,#BRANCHES     ; no borrow: no such branch
        JNC     BRANCH_NONE
        MOV     A,R2
        RL      A               ; each table entry is a two-byte AJMP
        MOV     DPTR,#BRANCH_TABLE
        JMP     @A+DPTR

BRANCH_TABLE:
        AJMP    BRANCH_ADD
        AJMP    BRANCH_SUB
        AJMP    BRANCH_AND
        AJMP    BRANCH_OR
        AJMP    BRANCH_XOR

BRANCH_ADD:
        MOV     A,R3
        ADD     A,R4
        SJMP    BRANCH_STORE
BRANCH_SUB:
        MOV     A,R3
        CLR     C
        SUBB    A,R4
        SJMP    BRANCH_STORE
BRANCH_AND:
        MOV     A,R3
        ANL     A,R4
        SJMP    BRANCH_STORE
BRANCH_OR:
        MOV     A,R3
        ORL     A,R4
        SJMP    BRANCH_STORE
BRANCH_XOR:
        MOV     A,R3
        XRL     A,R4
BRANCH_STORE:
        MOV     RESULT,A
        MOV     TAKEN,R2
        SJMP    BRANCH_END

BRANCH_NONE:
        MOV     TAKEN,#0FFH
        MOV     RESULT,#0

BRANCH_END:
        SJMP    BRANCH_END

        END
