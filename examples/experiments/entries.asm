; 软件实验入口表
; 实验菜单“设置PC（软件实验）”把 PC 设到下面的入口地址。入口之间有的只差 20H 字节，
; 所以每个入口只有一条 LJMP，跳到放在 1000H 以上空闲程序存储区的实验程序。
; 实验 n 的程序和输入从程序存储区 1000H + (n-1)*100H 开始，见各实验的源文件。
;
; Entry table of the software experiments.
; The experiment menus set the PC to one of the entry addresses below. Some entries are only
; 20H bytes apart, so each holds one LJMP to its experiment's body in free program memory:
; experiment n and its inputs start at 1000H + (n-1)*100H (see each experiment's source file).

        NAME    ENTRIES

        EXTRN   CODE (CLEAR_MAIN, SPLIT_MAIN, JOIN_MAIN, MOVE_MAIN, SORT_MAIN)
        EXTRN   CODE (SAME_MAIN, MUL_MAIN, BRANCH_MAIN, PULSE_MAIN, CLOCK_MAIN)

        CSEG    AT 0030H
        LJMP    CLOCK_MAIN      ; 实验十 电脑时钟 (time-of-day clock)

        CSEG    AT 0640H
        LJMP    CLEAR_MAIN      ; 实验一 清零程序 (clear a block)

        CSEG    AT 0660H
        LJMP    SPLIT_MAIN      ; 实验二 拆字程序 (split a byte)

        CSEG    AT 0680H
        LJMP    JOIN_MAIN       ; 实验三 拼字程序 (join two nibbles)

        CSEG    AT 06E0H
        LJMP    PULSE_MAIN      ; 实验九 脉冲计数 (count pulses)

        CSEG    AT 07B0H
        LJMP    MOVE_MAIN       ; 实验四 数据传送 (move a block)

        CSEG    AT 0970H
        LJMP    MUL_MAIN        ; 实验七 乘法子程序 (multiply)

        CSEG    AT 09B0H
        LJMP    SORT_MAIN       ; 实验五 数据排序 (sort a table)

        CSEG    AT 0A10H
        LJMP    BRANCH_MAIN     ; 实验八 多分支程序 (jump table)

        CSEG    AT 0AA0H
        LJMP    SAME_MAIN       ; 实验六 查找相同数 (count equal bytes)

        END
